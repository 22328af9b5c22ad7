@ Start-up code and cartridge header of the test cartridge.
@
@ The console enters a cartridge in ARM state at its first word, 0x08000000, so that word
@ branches over the rest of the header. The start-up code then sets the stack, copies the
@ initialised data from ROM to IWRAM, clears .bss and calls main. Interrupts stay off.

    .syntax unified
    .arm
    .section .crt0, "ax", %progbits
    .global _start
_start:
    b       reset

@ 0x004: the Nintendo logo, which a real console's BIOS compares with its own copy before
@ it starts a cartridge. The emulator starts the cartridge without that BIOS and does not
@ look at it, so it is left blank.
    .fill   156, 1, 0

@ 0x0A0 to 0x0BC: the fields covered by the complement check at 0x0BD; header_bytes adds
@ each byte to header_sum as it writes it.
    .set    header_sum, 0
    .macro  header_bytes bytes:vararg
    .irp    byte, \bytes
    .byte   \byte
    .set    header_sum, header_sum + \byte
    .endr
    .endm

    header_bytes 'T, 'I, 'N, 'T, 'W, 'R, 'I, 'G, 'H, 'T, 0, 0   @ 0x0A0: title
    header_bytes 'T, 'W, 'G, 'T     @ 0x0AC: game code
    header_bytes 'T, 'W             @ 0x0B0: maker code
    header_bytes 0x96               @ 0x0B2: fixed value
    .fill   10, 1, 0                @ 0x0B3: unit code, device type, reserved, version
    .byte   (-header_sum - 0x19) & 0xFF     @ 0x0BD: complement check
    .fill   2, 1, 0                 @ 0x0BE: reserved

reset:
    ldr     sp, =__stack_top

    @ Copy the initialised data, a word at a time, from its load address in ROM to IWRAM.
    ldr     r0, =__data_load
    ldr     r1, =__data_start
    ldr     r2, =__data_end
copy_data:
    cmp     r1, r2
    ldrlo   r3, [r0], #4
    strlo   r3, [r1], #4
    blo     copy_data

    @ Clear .bss.
    ldr     r1, =__bss_start
    ldr     r2, =__bss_end
    mov     r3, #0
clear_bss:
    cmp     r1, r2
    strlo   r3, [r1], #4
    blo     clear_bss

    @ main is Thumb code, which bx enters by the low bit of its address. It never returns.
    ldr     r0, =main
    bx      r0

    .pool

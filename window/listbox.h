#pragma once

#include <QListWidget>
#include <string>
#include <vector>

namespace tintwright {

/**
 * Single-selection list box whose selected index is what the user selected, not Qt's
 * current row: -1 when nothing is selected, even while a row has the keyboard focus, and
 * -1 after the selected entry is removed (QListWidget would select the next row).
 */
class ListBox : public QListWidget {
    Q_OBJECT

public:
    explicit ListBox(QWidget* parent = nullptr);

    // Adds after the last entry; the selection is unchanged.
    void appendEntry(const QString& text);
    // Later entries move up by one; removing the selected entry leaves none selected.
    void removeEntry(int index);
    int entryCount() const { return count(); }
    QString entryText(int index) const;
    // Changes the entry in place; count and selection are unchanged.
    void replaceEntryText(int index, const QString& text);
    // -1 when no entry is selected.
    int selectedIndex() const;
    // Selects the entry at `index`; -1 or an index outside the list selects none.
    void setSelectedIndex(int index);
    // The entry texts in order, UTF-8 encoded for the engine.
    std::vector<std::string> entries() const;
};

} // namespace tintwright

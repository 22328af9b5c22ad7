#include "window/designerwindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

using tintwright::DesignerWindow;

namespace {

void setSteps(DesignerWindow& form, int steps) {
    form.findChild<QLineEdit*>("Text5")->setText(QString::number(steps));
}

void press(DesignerWindow& form, const char* button) {
    form.findChild<QPushButton*>(button)->click();
}

// From the click on "Generate Array" until the text is in Text1 and laid out on screen.
void generateArray(benchmark::State& state) {
    DesignerWindow form;
    form.show();
    setSteps(form, static_cast<int>(state.range(0)));
    auto* output = form.findChild<QPlainTextEdit*>("Text1");
    for (auto _ : state) {
        press(form, "Command1");
        QApplication::processEvents();
        benchmark::DoNotOptimize(output->document()->blockCount());
    }
}
BENCHMARK(generateArray)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// "Recalculate Gradient": sampling and drawing the preview, painted on screen.
void redrawPreview(benchmark::State& state) {
    DesignerWindow form;
    form.show();
    setSteps(form, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        press(form, "Command5");
        QApplication::processEvents();
    }
}
BENCHMARK(redrawPreview)->Arg(64)->Arg(16'777'216)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

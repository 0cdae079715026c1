// Fuzz target of the chart-copy reader ("tempchart.tee"): any bytes either load or are refused
// with a message that leaves the chart loaded before untouched; what loads keeps the copy's
// promises, and saved again it loads back the same.
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz_check.h"
#include "gui/widgets/chart_copy.h"
#include "scratch_folder.h"

namespace {

// Fonts and colours need the application object; the offscreen platform needs no display.
void ensureApplication() {
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_chart";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

bool sameNumber(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

bool sameNumbers(const QVector<double>& a, const QVector<double>& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (!sameNumber(a[i], b[i])) return false;
    return true;
}

bool same(const ChartCopy& a, const ChartCopy& b) {
    if (a.title != b.title || a.titleFont != b.titleFont || a.series.size() != b.series.size())
        return false;
    for (std::size_t i = 0; i < a.axes.size(); ++i) {
        const ChartAxisCopy &x = a.axes[i], &y = b.axes[i];
        if (x.visible != y.visible || x.label != y.label || !sameNumber(x.lower, y.lower) ||
            !sameNumber(x.upper, y.upper) || x.reversed != y.reversed ||
            x.logarithmic != y.logarithmic || !sameNumbers(x.labelPositions, y.labelPositions) ||
            x.labelTexts != y.labelTexts)
            return false;
    }
    for (qsizetype i = 0; i < a.series.size(); ++i) {
        const ChartSeriesCopy &s = a.series[i], &t = b.series[i];
        if (s.name != t.name || s.colour != t.colour || !sameNumber(s.penWidth, t.penWidth) ||
            s.keyAxis != t.keyAxis || s.valueAxis != t.valueAxis || s.steps != t.steps ||
            !sameNumbers(s.keys, t.keys) || !sameNumbers(s.values, t.values))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ensureApplication();
    // In memory-backed storage where there is one: saving syncs the file to its disk, which
    // on a real disk would cost more than the whole rest of an input.
    static const lithora::fuzz::ScratchFolder folder("chart");
    const auto file = [](const char* name) {
        return QString::fromStdString((folder.path() / name).string());
    };
    const QString input = file("input.tee");
    {
        QFile f(input);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(f.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    }

    // A chart loaded before: a refusal must leave it as it was.
    ChartCopy before;
    before.title = QStringLiteral("loaded before");
    ChartSeriesCopy kept;
    kept.name = QStringLiteral("DT");
    kept.keys = {1, 2};
    kept.values = {3, 4};
    before.series.push_back(kept);
    ChartCopy chart = before;
    const QString message = loadChartCopy(input, chart);
    if (!message.isEmpty()) {
        FUZZ_CHECK(same(chart, before));
        return 0;
    }

    for (const ChartAxisCopy& a : chart.axes)
        FUZZ_CHECK(a.labelPositions.size() == a.labelTexts.size());
    for (const ChartSeriesCopy& s : chart.series) {
        FUZZ_CHECK(s.keys.size() == s.values.size());
        FUZZ_CHECK(s.keyAxis >= 0 && s.keyAxis < 4 && s.valueAxis >= 0 && s.valueAxis < 4);
        FUZZ_CHECK(s.keyAxis != s.valueAxis);
    }

    // Saved again, the copy loads back the same.
    const QString again = file("again.tee");
    FUZZ_CHECK(saveChartCopy(chart, again).isEmpty());
    ChartCopy back;
    FUZZ_CHECK(loadChartCopy(again, back).isEmpty());
    FUZZ_CHECK(same(back, chart));
    return 0;
}

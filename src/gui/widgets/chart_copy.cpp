#include "gui/widgets/chart_copy.h"

#include <qcustomplot.h>
#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <cstring>

namespace {

constexpr quint32 kMagic = 0x4C544348;  // "LTCH"
// 2: the title font as its family, size, weight and slant. Version 1 stored a QFont itself,
// whose reader trusts the list counts in the file.
constexpr quint16 kVersion = 2;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;
constexpr quint32 kMaxSeries = 4096;
constexpr quint32 kMaxLabels = 1u << 20;

void writeDoubles(QDataStream& out, const QVector<double>& v) {
    out << quint32(v.size());
    for (double d : v) out << d;
}

// Reads a counted array, refusing a count the rest of the file cannot hold, so a damaged
// count never asks for gigabytes.
bool readDoubles(QDataStream& in, QVector<double>& v) {
    quint32 n = 0;
    in >> n;
    if (in.status() != QDataStream::Ok) return false;
    if (quint64(n) * sizeof(double) > quint64(in.device()->bytesAvailable())) return false;
    v.resize(qsizetype(n));
    for (quint32 i = 0; i < n; ++i) in >> v[qsizetype(i)];
    return in.status() == QDataStream::Ok;
}

// Reads a text, refusing a byte count the rest of the file cannot hold before anything is
// reserved for it: QDataStream would otherwise set aside room for a damaged count first.
bool readText(QDataStream& in, QString& s) {
    const QByteArray count = in.device()->peek(4);
    if (count.size() < 4) return false;
    const quint32 bytes = qFromBigEndian<quint32>(count.constData());
    const qint64 rest = in.device()->bytesAvailable() - 4;
    if (bytes != 0xFFFFFFFFu && qint64(bytes) > rest) return false;  // all ones: a null text
    in >> s;
    return in.status() == QDataStream::Ok;
}

void writeAxis(QDataStream& out, const ChartAxisCopy& a) {
    out << a.visible << a.label << a.lower << a.upper << a.reversed << a.logarithmic;
    writeDoubles(out, a.labelPositions);
    out << a.labelTexts;
}

// The title font as plain fields: a QFont read from a stream reserves whatever count the file
// names for its list of families, so a damaged file could ask for gigabytes.
void writeFont(QDataStream& out, const QFont& f) {
    out << f.family() << f.pointSizeF() << qint32(f.pixelSize()) << qint32(f.weight())
        << f.italic();
}

bool readFont(QDataStream& in, QFont& f) {
    QString family;
    double points = 0;
    qint32 pixels = 0, weight = 0;
    bool italic = false;
    if (!readText(in, family)) return false;
    in >> points >> pixels >> weight >> italic;
    // A font has a size in points or, where it was set so, in pixels (the other one is -1).
    const bool byPoints = points > 0 && points <= 1000;
    const bool byPixels = pixels > 0 && pixels <= 1000;
    if (in.status() != QDataStream::Ok || !(byPoints || byPixels) || weight < 1 || weight > 1000)
        return false;
    f = QFont();
    f.setFamilies({family});  // as written, commas and all: one family, never a list
    if (byPoints)
        f.setPointSizeF(points);
    else
        f.setPixelSize(pixels);
    f.setWeight(QFont::Weight(weight));
    f.setItalic(italic);
    return true;
}

bool readAxis(QDataStream& in, ChartAxisCopy& a) {
    in >> a.visible;
    if (in.status() != QDataStream::Ok || !readText(in, a.label)) return false;
    in >> a.lower >> a.upper >> a.reversed >> a.logarithmic;
    if (!readDoubles(in, a.labelPositions)) return false;
    quint32 n = 0;
    in >> n;
    if (in.status() != QDataStream::Ok || n > kMaxLabels || n != quint32(a.labelPositions.size()))
        return false;
    a.labelTexts.clear();
    for (quint32 i = 0; i < n; ++i) {
        QString s;
        if (!readText(in, s)) return false;
        a.labelTexts << s;
    }
    return in.status() == QDataStream::Ok;
}

}  // namespace

QString saveChartCopy(const ChartCopy& chart, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Cannot write the chart file \"%1\": %2")
            .arg(path, file.errorString());
    QDataStream out(&file);
    out.setVersion(kStreamVersion);
    out << kMagic << kVersion;
    out << chart.title;
    writeFont(out, chart.titleFont);
    for (const ChartAxisCopy& a : chart.axes) writeAxis(out, a);
    out << quint32(chart.series.size());
    for (const ChartSeriesCopy& s : chart.series) {
        out << s.name << s.colour << s.penWidth << qint32(s.keyAxis) << qint32(s.valueAxis)
            << s.steps;
        writeDoubles(out, s.keys);
        writeDoubles(out, s.values);
    }
    if (out.status() != QDataStream::Ok || !file.commit())
        return QStringLiteral("Cannot write the chart file \"%1\": %2")
            .arg(path, file.errorString());
    return {};
}

QString loadChartCopy(const QString& path, ChartCopy& into) {
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return QStringLiteral("Cannot read the chart file \"%1\": %2")
            .arg(path, source.errorString());
    // Read from memory: the counts of the file are checked against the bytes it really has.
    QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return QStringLiteral("Cannot read the chart file \"%1\": %2")
            .arg(path, source.errorString());
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    const QString damaged =
        QStringLiteral("The chart file \"%1\" is damaged or is no chart file of Lithora.")
            .arg(path);
    QDataStream in(&file);
    in.setVersion(kStreamVersion);
    quint32 magic = 0;
    quint16 version = 0;
    in >> magic >> version;
    if (in.status() != QDataStream::Ok || magic != kMagic) return damaged;
    if (version > kVersion)
        return QStringLiteral("The chart file \"%1\" was written by a later version of Lithora.")
            .arg(path);
    if (version < kVersion)
        return QStringLiteral("The chart file \"%1\" was written by an earlier version of Lithora.")
            .arg(path);

    ChartCopy c;
    if (!readText(in, c.title) || !readFont(in, c.titleFont)) return damaged;
    for (ChartAxisCopy& a : c.axes)
        if (!readAxis(in, a)) return damaged;
    quint32 count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok || count > kMaxSeries) return damaged;
    for (quint32 i = 0; i < count; ++i) {
        ChartSeriesCopy s;
        qint32 key = 0, value = 0;
        if (!readText(in, s.name)) return damaged;
        in >> s.colour >> s.penWidth >> key >> value >> s.steps;
        if (in.status() != QDataStream::Ok || key < 0 || key > 3 || value < 0 || value > 3 ||
            key == value)
            return damaged;
        s.keyAxis = key;
        s.valueAxis = value;
        // As plain RGB: a colour of another kind (extended, HSV, ...) from a damaged file may
        // hold values that do not come back the same once written again.
        s.colour = QColor::fromRgba(s.colour.rgba());
        if (!readDoubles(in, s.keys) || !readDoubles(in, s.values) ||
            s.keys.size() != s.values.size())
            return damaged;
        c.series.push_back(std::move(s));
    }
    if (in.status() != QDataStream::Ok || !in.atEnd()) return damaged;
    into = std::move(c);
    return {};
}

namespace {

QCPAxis* axisOf(QCustomPlot& plot, int index) {
    switch (index) {
        case ChartCopy::Left:
            return plot.yAxis;
        case ChartCopy::Top:
            return plot.xAxis2;
        case ChartCopy::Right:
            return plot.yAxis2;
        default:
            return plot.xAxis;
    }
}

int indexOf(QCustomPlot& plot, const QCPAxis* axis) {
    for (int i = 0; i < 4; ++i)
        if (axisOf(plot, i) == axis) return i;
    return ChartCopy::Bottom;
}

}  // namespace

ChartCopy copyOfPlot(QCustomPlot& plot) {
    ChartCopy c;
    for (int i = 0; i < plot.plotLayout()->elementCount(); ++i) {
        if (auto* t = qobject_cast<QCPTextElement*>(plot.plotLayout()->elementAt(i))) {
            c.title = t->text();
            c.titleFont = t->font();
            break;
        }
    }
    for (int i = 0; i < 4; ++i) {
        const QCPAxis* axis = axisOf(plot, i);
        ChartAxisCopy& a = c.axes[static_cast<std::size_t>(i)];
        a.visible = axis->visible();
        a.label = axis->label();
        a.lower = axis->range().lower;
        a.upper = axis->range().upper;
        a.reversed = axis->rangeReversed();
        a.logarithmic = axis->scaleType() == QCPAxis::stLogarithmic;
        if (auto* text = dynamic_cast<QCPAxisTickerText*>(axis->ticker().data())) {
            for (auto it = text->ticks().constBegin(); it != text->ticks().constEnd(); ++it) {
                a.labelPositions << it.key();
                a.labelTexts << it.value();
            }
        }
    }
    for (int g = 0; g < plot.graphCount(); ++g) {
        QCPGraph* graph = plot.graph(g);
        ChartSeriesCopy s;
        s.name = graph->name();
        s.colour = graph->pen().color();
        s.penWidth = graph->pen().widthF();
        s.keyAxis = indexOf(plot, graph->keyAxis());
        s.valueAxis = indexOf(plot, graph->valueAxis());
        s.steps = graph->lineStyle() == QCPGraph::lsStepLeft;
        for (auto it = graph->data()->constBegin(); it != graph->data()->constEnd(); ++it) {
            s.keys << it->key;
            s.values << it->value;
        }
        c.series << s;
    }
    return c;
}

void showCopyInPlot(const ChartCopy& chart, QCustomPlot& plot) {
    plot.clearGraphs();
    for (int i = 0; i < 4; ++i) {
        QCPAxis* axis = axisOf(plot, i);
        const ChartAxisCopy& a = chart.axes[static_cast<std::size_t>(i)];
        axis->setVisible(a.visible);
        axis->setLabel(a.label);
        axis->setScaleType(a.logarithmic ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
        axis->setRangeReversed(a.reversed);
        if (!a.labelPositions.isEmpty()) {
            QSharedPointer<QCPAxisTickerText> ticker(new QCPAxisTickerText);
            for (qsizetype k = 0; k < a.labelPositions.size(); ++k)
                ticker->addTick(a.labelPositions[k], a.labelTexts.value(k));
            axis->setTicker(ticker);
        } else if (a.logarithmic) {
            axis->setTicker(QSharedPointer<QCPAxisTickerLog>(new QCPAxisTickerLog));
        } else {
            axis->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
        }
        axis->setRange(a.lower, a.upper);
    }
    for (const ChartSeriesCopy& s : chart.series) {
        QCPGraph* graph = plot.addGraph(axisOf(plot, s.keyAxis), axisOf(plot, s.valueAxis));
        graph->setName(s.name);
        graph->setPen(QPen(s.colour, s.penWidth));
        graph->setLineStyle(s.steps ? QCPGraph::lsStepLeft : QCPGraph::lsLine);
        graph->setData(s.keys, s.values);
    }
    if (!chart.title.isEmpty()) {
        QCPTextElement* title = nullptr;
        for (int i = 0; i < plot.plotLayout()->elementCount() && !title; ++i)
            title = qobject_cast<QCPTextElement*>(plot.plotLayout()->elementAt(i));
        if (!title) {
            plot.plotLayout()->insertRow(0);
            title = new QCPTextElement(&plot);
            plot.plotLayout()->addElement(0, 0, title);
        }
        title->setText(chart.title);
        title->setFont(chart.titleFont);
    }
}

#pragma once
// What a printed PDF file holds, read with the poppler tools: its page count, whether its
// first page is wider than high, and the share of its first page that is not white.
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>

struct PdfCheck {
    int pages = 0;
    bool landscape = false;
    double inkFraction = 0;
};

inline PdfCheck checkPdf(const QString& path) {
    PdfCheck out;
    QProcess info;
    info.start("pdfinfo", {path});
    if (!info.waitForFinished(30000)) return out;
    const QString text = QString::fromLocal8Bit(info.readAllStandardOutput());
    const auto pages = QRegularExpression(R"(Pages:\s+(\d+))").match(text);
    if (pages.hasMatch()) out.pages = pages.captured(1).toInt();
    QTemporaryDir dir;
    QProcess render;
    render.start("pdftoppm", {"-r", "40", "-png", "-f", "1", "-l", "1", path, dir.filePath("p")});
    if (!render.waitForFinished(30000)) return out;
    QImage page;
    for (const char* name : {"p-1.png", "p-01.png", "p-001.png"})
        if (page.load(dir.filePath(name))) break;
    if (page.isNull()) return out;
    out.landscape = page.width() > page.height();
    long ink = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 200) ++ink;
    out.inkFraction = double(ink) / (double(page.width()) * page.height());
    return out;
}

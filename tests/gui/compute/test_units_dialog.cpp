// The units question: every text whole, a unit such as "g/cm3" never broken across lines.
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QLabel>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include "core/commands/compute_elastic.h"
#include "gui/compute/units_dialog.h"

namespace {

// The lines the label shows, as its text laid out at the width it has.
QStringList shownLines(const QLabel& label) {
    QTextDocument doc;
    doc.setDefaultFont(label.font());
    doc.setDocumentMargin(0);
    doc.setPlainText(label.text());
    doc.setTextWidth(label.contentsRect().width());
    (void)doc.size();  // lays the text out
    QStringList lines;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextLayout* layout = b.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            // the word joiners that keep units whole are not shown
            lines << b.text()
                         .mid(line.textStart(), line.textLength())
                         .remove(QChar(0x2060))
                         .trimmed();
        }
    }
    return lines;
}

TEST(UnitsDialog, UnitsAreNeverBrokenAcrossLines) {
    lithora::commands::UnitsDecision decision;
    decision.sonic.push_back({"DT", "", std::nullopt, std::nullopt});
    decision.densityCurve = "RHOB";
    decision.densityUnitText = "XX";
    decision.depthUnitText = "m";
    const QString question = QString::fromStdString(decision.unknownText());
    for (int width : {380, 420, 460, 520, 600}) {
        TSelectUnits dialog(question, decision);
        dialog.resize(width, dialog.sizeHint().height());
        dialog.show();
        QApplication::processEvents();
        auto* label = dialog.findChild<QLabel*>("questionLabel");
        ASSERT_NE(label, nullptr);
        const QStringList lines = shownLines(*label);
        ASSERT_GT(lines.size(), 1) << width;
        EXPECT_EQ(lines.join(' '), question) << width;  // the whole question, quotes and all
        for (const QString& line : lines)
            EXPECT_FALSE(line.endsWith('/')) << width << ": " << line.toStdString();
    }
}

}  // namespace

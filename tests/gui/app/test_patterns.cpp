#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>

#include "core/workspace/workspace.h"
#include "support/test_paths.h"

// The build makes one bitmap per lithology, named exactly as the lithology, no extension.
TEST(PatternBitmaps, OneBmpPerLithologyName) {
    ASSERT_EQ(lithora::workspace::kLithologyNames.size(), 60u);
    for (const auto& name : lithora::workspace::kLithologyNames) {
        const QString path = QString(LITHORA_PATTERNS_DIR) + "/" + QString::fromStdString(name);
        ASSERT_TRUE(QFile::exists(path)) << name;
        QImageReader reader(path);
        EXPECT_EQ(reader.format(), "bmp") << name;
        const QImage tile = reader.read();
        EXPECT_GE(tile.width(), 45) << name;
        EXPECT_LE(tile.width(), 86) << name;
    }
}

#include "gui/app/graph_page.h"

#include <QLabel>

#include "gui/app/table_page.h"

GraphPage::GraphPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GraphPage"));
    lithologCaption_ = placedCaption(this, QStringLiteral("Litholog Information"), 8, 40,
                                     layoutFont("Arial", 10, true));
    lithologCaption_->setObjectName(QStringLiteral("LithologCaption"));
    lithologCaption_->setStyleSheet(QStringLiteral("color: navy;"));
}

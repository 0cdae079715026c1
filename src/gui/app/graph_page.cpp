#include "gui/app/graph_page.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>

#include "gui/app/table_page.h"

GraphPage::GraphPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GraphPage"));
    lithologCaption_ = placedCaption(this, QStringLiteral("Litholog Information"), 8, 40,
                                     layoutFont("Arial", 10, true));
    lithologCaption_->setObjectName(QStringLiteral("LithologCaption"));
    lithologCaption_->setStyleSheet(QStringLiteral("color: navy;"));

    lithologChartArea_ = new QFrame(this);
    lithologChartArea_->setObjectName(QStringLiteral("DBChart8"));
    lithologChartArea_->setGeometry(368, 5, 73, 565);
    lithologChartArea_->setFrameShape(QFrame::Panel);
    lithologChartArea_->setFrameShadow(QFrame::Sunken);
    lithologChartArea_->setAutoFillBackground(true);

    lithologFrame_ = new QFrame(this);
    lithologFrame_->setObjectName(QStringLiteral("LithologFrame"));
    lithologFrame_->setGeometry(440, 57, 42, 486);
    lithologFrame_->setFrameShape(QFrame::Box);
    lithologFrame_->setLineWidth(1);
    Image1_ = new QLabel(this);
    Image1_->setObjectName(QStringLiteral("Image1"));
    Image1_->setGeometry(441, 58, 40, 484);
    paintLithologWhite();
}

void GraphPage::paintLithologWhite() {
    QPixmap white(40, 484);
    white.fill(Qt::white);
    Image1_->setPixmap(white);
}

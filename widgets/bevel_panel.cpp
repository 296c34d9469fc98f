#include "bevel_panel.h"

#include "accessible_widgets.h"

#include <QPainter>
#include <qdrawutil.h>

BevelPanel::BevelPanel(QWidget *parent)
    : QWidget(parent)
{
    InstallAccessibleWidgets();
}

void BevelPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawShadePanel(&painter, rect(), palette(), true, 1);                 // outer, lowered
    qDrawShadePanel(&painter, rect().adjusted(1, 1, -1, -1), palette(), false, 1); // inner, raised
}

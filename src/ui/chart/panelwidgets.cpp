#include "ui/chart/panelwidgets.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kinhom {

QString Indexed(const char* name, int i) { return QString("%1_%2").arg(QLatin1String(name)).arg(i); }

QPushButton* PanelButton(const QString& text, const QString& name, QWidget* parent)
{
    auto* b = Named(new QPushButton(text, parent), name);
    b->setAutoDefault(false);
    return b;
}

QVBoxLayout* PanelFrame(QFrame* f, const QString& name, const QString& title, QLabel*& caption)
{
    f->setObjectName(name);
    f->setFrameShape(QFrame::StyledPanel);
    f->setFrameShadow(QFrame::Raised);
    f->setLineWidth(2);
    f->setAutoFillBackground(true);
    auto* body = new QVBoxLayout(f);
    body->setContentsMargins(8, 4, 8, 8);
    caption = Named(new QLabel(title, f), name + "_caption");
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    caption->setCursor(Qt::SizeAllCursor);
    body->addWidget(caption);
    return body;
}

void ShowTab(QTabWidget* tabs, int index, bool shown)
{
    if (tabs->isTabEnabled(index) != shown) tabs->setTabEnabled(index, shown);
    if (tabs->isTabVisible(index) != shown) tabs->setTabVisible(index, shown);
}

} // namespace kinhom

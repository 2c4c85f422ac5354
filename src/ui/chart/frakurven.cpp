#include "ui/chart/frakurven.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/chart/designeffects.h"
#include "ui/chart/fratabs.h"
#include "ui/chart/panelwidgets.h"

namespace kinhom {

namespace {

const QString kNoLegendHint = QStringLiteral(" without text no entry in the legend! ");

// A label showing the value of an up-down control, with the control beside it.
QWidget* ValueWithUpDown(QLabel* value, UpDownControl* upDown, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    value->setMinimumWidth(24);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setFrameShape(QFrame::StyledPanel);
    row->addWidget(value);
    row->addWidget(upDown);
    row->addStretch(1);
    return box;
}

} // namespace

// ---- ClickLabel ----------------------------------------------------------------------------

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        emit clicked();
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

// ---- fraKurven -------------------------------------------------------------------------------

FraKurven::FraKurven(QWidget* parent) : QFrame(parent)
{
    QVBoxLayout* body = PanelFrame(this, "fraKurven", "Designing the Curve", caption);
    body->setSpacing(6);
    hide();

    tabKurven = Named(new QTabWidget(this), "tabKurven");
    tabKurven->setUsesScrollButtons(true);
    tabKurven->setDocumentMode(false);
    for (int i = 1; i <= kTabs; ++i) {
        auto* page = Named(new QWidget, Indexed("tabKurvenPage", i));
        auto* grid = new QGridLayout(page);
        grid->setContentsMargins(8, 8, 8, 8);
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(6);

        cmbKStil[i] = Named(new QComboBox(page), Indexed("cmbKStil", i));
        for (const char* item : kCurveStyleItems) cmbKStil[i]->addItem(item);
        cmbKStil[i]->setCurrentIndex(-1);
        cmdKurvenFarbe[i] = PanelButton("Color", Indexed("cmdKurvenFarbe", i), page);
        Label39[i] = Named(new QLabel("1", page), Indexed("Label39", i));
        UpDown1_KBreite[i] = Named(new UpDownControl(page), Indexed("UpDown1_KBreite", i));
        UpDown1_KBreite[i]->setRange(kMinCurveWidth, kMaxCurveWidth);
        UpDown1_KBreite[i]->setValue(1);
        txtLabel[i] = Named(new QLineEdit(page), Indexed("txtLabel", i));
        chkEinzelLabelSichtbar[i] = Named(new QCheckBox("visible", page), Indexed("chkEinzelLabelSichtbar", i));
        scrShiftLab[i] = Named(new QScrollBar(Qt::Horizontal, page), Indexed("scrShiftLab", i));
        scrShiftLab[i]->setRange(1, 1);
        scrShiftLab[i]->setToolTip("Position of the label along the curve");
        txtLegendCurves[i] = Named(new QLineEdit(page), Indexed("txtLegendCurves", i));
        txtLegendCurves[i]->setToolTip(kNoLegendHint);
        chkLegend1[i - 1] = Named(new QCheckBox("legend visible", page), Indexed("chkLegend1", i - 1));
        chkLegend1[i - 1]->setChecked(true); // a new chart shows its legend

        grid->addWidget(new QLabel("Style:", page), 0, 0);
        grid->addWidget(cmbKStil[i], 0, 1);
        grid->addWidget(cmdKurvenFarbe[i], 0, 2);
        grid->addWidget(new QLabel("Line width:", page), 1, 0);
        grid->addWidget(ValueWithUpDown(Label39[i], UpDown1_KBreite[i], page), 1, 1);
        grid->addWidget(new QLabel("Curve label:", page), 2, 0);
        grid->addWidget(txtLabel[i], 2, 1);
        grid->addWidget(chkEinzelLabelSichtbar[i], 2, 2);
        grid->addWidget(new QLabel("Label position:", page), 3, 0);
        grid->addWidget(scrShiftLab[i], 3, 1);
        grid->addWidget(new QLabel("Legend text:", page), 4, 0);
        grid->addWidget(txtLegendCurves[i], 4, 1);
        grid->addWidget(chkLegend1[i - 1], 4, 2);
        grid->setColumnMinimumWidth(1, 190);
        grid->setColumnStretch(1, 1);
        grid->setRowStretch(5, 1);

        tabKurven->addTab(page, QString());
    }
    body->addWidget(tabKurven);

    Label49 = Named(new ClickLabel("  Preset Color", this), "Label49");
    Label49->setToolTip("...defines the color of the next drawing action ");
    cmdFarbVorwahl = PanelButton(QString(), "cmdFarbVorwahl", this);
    cmdFarbVorwahl->setToolTip(Label49->toolTip());
    cmdDelKurv = PanelButton("Delete Curve", "cmdDelKurv", this);
    cmdClipboard = PanelButton("Curve to Clipboard", "cmdClipboard", this);
    cmdClipboard->setToolTip("... for data export to Excel / Origin ");
    cmdSaveCurveAsXY = PanelButton("Save Curve to File", "cmdSaveCurveAsXY", this);
    cmdKurven_OK = PanelButton("Close", "cmdKurven_OK", this);

    auto* preset = new QHBoxLayout;
    preset->addWidget(Label49);
    preset->addWidget(cmdFarbVorwahl);
    preset->addStretch(1);
    preset->addWidget(cmdDelKurv);
    body->addLayout(preset);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdClipboard);
    buttons->addWidget(cmdSaveCurveAsXY);
    buttons->addStretch(1);
    buttons->addWidget(cmdKurven_OK);
    body->addLayout(buttons);
}

// ---- fraPunkte -------------------------------------------------------------------------------

FraPunkte::FraPunkte(QWidget* parent) : QFrame(parent)
{
    QVBoxLayout* body = PanelFrame(this, "fraPunkte", "Designing Experimental Points", caption);
    body->setSpacing(6);
    hide();

    tabPunkte = Named(new QTabWidget(this), "tabPunkte");
    const char* captions[kTabs + 1] = {"", "c(A)", "c(B)", "c(C)", "c(P)", "c(Q)", "k-T", "man."};
    for (int j = 1; j <= kTabs; ++j) {
        auto* page = Named(new QWidget, Indexed("tabPunktePage", j));
        auto* grid = new QGridLayout(page);
        grid->setContentsMargins(8, 8, 8, 8);
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(6);

        cmbPunktStil[j] = Named(new QComboBox(page), Indexed("cmbPunktStil", j));
        for (const char* item : kPointStyleItems) cmbPunktStil[j]->addItem(item);
        cmbPunktStil[j]->setCurrentIndex(-1);
        cmdPunktFarbe[j] = PanelButton("Color", Indexed("cmdPunktFarbe", j), page);
        Label56[j] = Named(new QLabel("6", page), Indexed("Label56", j));
        UpDown1_PointSize[j] = Named(new UpDownControl(page), Indexed("UpDown1_PointSize", j));
        UpDown1_PointSize[j]->setRange(kMinPointSize, kMaxPointSize);
        UpDown1_PointSize[j]->setValue(6);
        txtLegendPoints[j] = Named(new QLineEdit(page), Indexed("txtLegendPoints", j));
        txtLegendPoints[j]->setToolTip(kNoLegendHint);
        chkLegend2[j] = Named(new QCheckBox("legend visible", page), Indexed("chkLegend2", j));
        chkLegend2[j]->setChecked(true);
        cmdDelPoints[j] = PanelButton("Delete Points", Indexed("cmdDelPoints", j), page);

        grid->addWidget(new QLabel("Symbol:", page), 0, 0);
        grid->addWidget(cmbPunktStil[j], 0, 1);
        grid->addWidget(cmdPunktFarbe[j], 0, 2);
        grid->addWidget(new QLabel("Symbol size:", page), 1, 0);
        grid->addWidget(ValueWithUpDown(Label56[j], UpDown1_PointSize[j], page), 1, 1);
        grid->addWidget(new QLabel("Legend text:", page), 2, 0);
        grid->addWidget(txtLegendPoints[j], 2, 1);
        grid->addWidget(chkLegend2[j], 2, 2);
        grid->addWidget(cmdDelPoints[j], 3, 2);
        grid->setColumnMinimumWidth(1, 170);
        grid->setColumnStretch(1, 1);
        grid->setRowStretch(4, 1);

        tabPunkte->addTab(page, captions[j]);
    }
    body->addWidget(tabPunkte);

    cmdPunkte_OK = PanelButton("Close", "cmdPunkte_OK", this);
    body->addWidget(cmdPunkte_OK, 0, Qt::AlignRight);
}

} // namespace kinhom

#include "ui/shell/modellinputform.h"

#include <string_view>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/kinetics/inputrules.h"
#include "core/shell/numtext.h"
#include "core/shell/utilities.h"
#include "ui/kinetics/inputkeys.h"

namespace kinhom {

namespace {

void SetVisible(QWidget* w, bool visible)
{
    if (w)
        w->setVisible(visible);
}

void SetLabel(QLabel* l, const QString& text)
{
    if (l)
        l->setText(text);
}

} // namespace

void ModellInputForm::NameControl(QWidget* control, const char* name, int index)
{
    if (!control)
        return;
    control->setObjectName(index >= 0 ? QString("%1_%2").arg(name).arg(index) : QString(name));
}

QLabel* ModellInputForm::NamedLabel(const char* name, const QString& text, int index)
{
    auto* l = new QLabel(text, this);
    NameControl(l, name, index);
    return l;
}

QLineEdit* ModellInputForm::NumberBox(const char* name, int index, int width)
{
    auto* e = new QLineEdit(this);
    NameControl(e, name, index);
    e->setFixedWidth(width);
    e->installEventFilter(this);
    SelectAllOnFocus(e);
    if (std::string_view(name) == "Inp" && index >= 0 && index < int(Inp.size()))
        Inp[std::size_t(index)] = e;
    return e;
}

// ---- the model --------------------------------------------------------------------------------

void ModellInputForm::ShowModel(Declare& d)
{
    const InputWindowLabels l = LabelsForModel(d);
    const bool results = ShowsResults();

    // The boxes of the species in use (and their results).
    for (int i = 5; i <= 9; ++i) {
        SetVisible(Inp[std::size_t(i)], false);
        SetVisible(lblStoff[std::size_t(i)], false);
    }
    for (int i = 1; i <= 5; ++i) {
        const bool v = l.species[std::size_t(i)];
        SetVisible(Inp[std::size_t(i - 1)], v);
        SetVisible(lblStoff[std::size_t(i - 1)], v);
        if (results) {
            SetVisible(Inp[std::size_t(i + 4)], v);
            SetVisible(lblStoff[std::size_t(i + 4)], v);
        }
    }

    // Extents of reaction: none yet for the new model.
    d.Umsatz = 0;
    if (cmdShowKsi)
        cmdShowKsi->setEnabled(false);
    SetVisible(fraKsi, false);
    for (QWidget* w : {static_cast<QWidget*>(cmdShowKsi), fraKsi, static_cast<QWidget*>(lblTextKsi_1),
                       static_cast<QWidget*>(lblTextKsi_2)})
        if (w)
            w->setToolTip(QString::fromStdString(l.ksiTip));

    // A window that shows results takes the focus.
    if (results)
        setFocus();

    SetLabel(Label7, QString::fromStdString(l.modelLine));

    // The result boxes are read-only and start at 0.
    for (int i = 5; i <= 9; ++i)
        if (QLineEdit* box = Inp[std::size_t(i)]) {
            box->setReadOnly(true);
            box->setText(" 0");
        }

    // Species labels (an empty name keeps the label's text).
    for (int i = 1; i <= 5; ++i) {
        const QString species = QString::fromStdString(l.speciesName[std::size_t(i)]);
        if (species.isEmpty())
            continue;
        SetLabel(lblStoff[std::size_t(i - 1)], species);
        SetLabel(lblStoff[std::size_t(i + 4)], species);
    }

    // The boxes of k2 and k3 with their captions and units; the captions.
    SetVisible(Inp[11], l.k2);
    SetVisible(Bz[6], l.k2);
    SetVisible(unit2, l.k2);
    SetVisible(Inp[12], l.k3);
    SetVisible(Bz[7], l.k3);
    SetVisible(unit3, l.k3);
    for (int j = 0; j < 3; ++j)
        if (!l.kCaption[std::size_t(j)].empty())
            SetLabel(Bz[std::size_t(5 + j)], QString::fromStdString(l.kCaption[std::size_t(j)]));

    // The catalyst seed of the autocatalysis models follows the box of C.
    ApplyCatalystSeed(d, Inp[2] && ReadNumber(Inp[2]->text()) == 0);

    // The values, in single precision.
    for (int i = 0; i < 5; ++i)
        if (QLineEdit* box = Inp[std::size_t(i)])
            box->setText(SingleText(d.c0[std::size_t(i + 1)]));
    ShowRateConstants(d);
    ShowModelTime(d);
}

void ModellInputForm::ShowModelTime(const Declare& d)
{
    if (Inp[14])
        Inp[14]->setText(SingleText(d.tEnde));
}

void ModellInputForm::ConvertRateConstants(double factor)
{
    for (int j = 1; j <= 3; ++j) {
        QLineEdit* box = Inp[std::size_t(9 + j)];
        if (!box || OwnUnitParameter(j))
            continue;
        // A rate constant is a positive number; any other text is left alone.
        float v = 0;
        if (ValFitsSingle(box->text().toStdString(), v) && v > 0)
            box->setText(SingleText(double(v) / factor));
    }
}

void ModellInputForm::ShowRateConstants(const Declare& d)
{
    const std::array<double, 3> k = RateConstantBoxValues(d);
    for (int j = 0; j < 3; ++j)
        if (QLineEdit* box = Inp[std::size_t(10 + j)])
            box->setText(SingleText(k[std::size_t(j)]));
}

} // namespace kinhom

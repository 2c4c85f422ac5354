#pragma once
// The Monte-Carlo window: the particle simulation of the first-order reaction
// A => P (MCModus 1) or of the dynamic equilibrium A <=> P (MCModus 2). The
// particle field shows every particle in the colour of its state (FarbeA,
// FarbeP, size Punktgroesse, filled when PunkteSolid); the particles that
// changed in the last step flash. The chart beside it follows N(A) and N(P)
// step by step against their expected courses.
//
// A run steps on a QTimer, one step per tick (MCVerzoegerung seconds apart), so
// Stop, closing the window and the rest of the program stay live; unloading the
// window stops the timer first. Refresh applies the options of the options
// window (delay, size, colours, solid) to the window.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QPointF>
#include <QWidget>

#include "core/montecarlo/particlefield.h"
#include "ui/shell/kinform.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace kinhom {

class ChartView;

// The particles drawn in rows that fill the widget edge to edge (LayOutField).
class ParticleFieldView : public QWidget {
    Q_OBJECT
public:
    explicit ParticleFieldView(QWidget* parent = nullptr);

    struct Look {
        int size = 4;
        QColor colourA = Qt::red;
        QColor colourP = Qt::blue;
        bool solid = false;
    };
    void setLook(const Look& look);
    const Look& look() const { return look_; }
    // The field shown (not owned; null shows nothing). flash marks the particles
    // that changed in the last step.
    void setField(const ParticleField* field, bool flash);
    bool flashing() const { return flash_; }
    // Where each particle of the field is drawn (index = particle).
    std::vector<QPointF> particleCentres() const;

    QSize sizeHint() const override { return {420, 420}; }
    QSize minimumSizeHint() const override { return {160, 160}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ParticleField* field_ = nullptr;
    bool flash_ = false;
    Look look_;
};

class frmMonteCarlo : public KinWidget {
    Q_OBJECT
public:
    explicit frmMonteCarlo(QWidget* parent = nullptr);
    ~frmMonteCarlo() override;

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    int HelpContextID() const override { return 10400; }

    void cmdStart_Click();
    void cmdStop_Click();
    void cmdRefresh_Click();
    void cmdClose_Click();

    bool running() const;
    const ParticleField* field() const { return field_.get(); }
    // The seed of the next run; empty: a fresh random seed.
    std::optional<std::uint64_t> nextSeed;

    QLabel* lblTitel = nullptr;
    QLineEdit* txtAnzahl = nullptr;   // N
    QLineEdit* txtP1 = nullptr;
    QLabel* lblP2 = nullptr;
    QLineEdit* txtP2 = nullptr;
    QLineEdit* txtSchritte = nullptr; // steps of a run
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* lblSchritt = nullptr;
    QLabel* lblNA = nullptr;
    QLabel* lblNP = nullptr;
    ParticleFieldView* picFeld = nullptr;
    ChartView* Chart2D1 = nullptr;
    QTimer* tmrSchritt = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    MonteCarloMode mode() const;
    // The settings typed in the boxes.
    MonteCarloSettings typedSettings() const;
    void tick();
    void applyOptions();
    void setUpChart();
    void showCounts();
    // Appends the point of the current step to the simulated curves.
    void plotCurrentStep();

    std::unique_ptr<ParticleField> field_;
    // The second half of a step's interval ends the flash of the changed particles.
    bool flashPhase_ = false;
};

} // namespace kinhom

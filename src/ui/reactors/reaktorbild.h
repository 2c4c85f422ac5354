#pragma once
// The picture of a reactor window: a stirred batch vessel, a tube with plug
// flow, or a continuous stirred tank with its feed and outlet. The stirrer of
// the tank turns while its window is shown (the window's timer calls
// turnStirrer); the picture itself has no timer.

#include <QWidget>

namespace kinhom {

class ReaktorBild : public QWidget {
    Q_OBJECT
public:
    enum class Art { Batch, Rohr, Kessel };

    explicit ReaktorBild(Art art, QWidget* parent = nullptr);

    Art art() const { return art_; }
    // Advances the stirrer by one step (a twelfth of a turn) and redraws.
    void turnStirrer();
    // The stirrer's position, 0 to 11.
    int stirrerStep() const { return step_; }

    QSize sizeHint() const override { return {230, 200}; }
    QSize minimumSizeHint() const override { return {180, 150}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Art art_;
    int step_ = 0;
};

} // namespace kinhom

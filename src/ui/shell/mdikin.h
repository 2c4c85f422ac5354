#pragma once
// The main window of the program.

#include <QMainWindow>

class QMdiArea;

namespace kinhom {

class MDIKIN : public QMainWindow {
    Q_OBJECT
public:
    explicit MDIKIN(QWidget* parent = nullptr);

    QMdiArea* mdiArea() const { return mdiArea_; }

private:
    QMdiArea* mdiArea_ = nullptr;
};

} // namespace kinhom

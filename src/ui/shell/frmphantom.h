#pragma once
// An invisible child window captioned "Main Window", shown at start-up. It has
// no size and no behaviour of its own.

#include "ui/shell/kinform.h"

namespace kinhom {

class frmPhantom : public KinWidget {
    Q_OBJECT
public:
    explicit frmPhantom(QWidget* parent = nullptr);
    void Form_Load() override;
};

} // namespace kinhom

#include "ui/kinetics/inputkeys.h"

#include <cmath>
#include <limits>

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include "core/shell/numtext.h"

namespace kinhom {

int KeyAsciiOf(const QKeyEvent* event)
{
    if (!event)
        return -1;
    if (event->matches(QKeySequence::Copy))
        return 3;
    if (event->matches(QKeySequence::Paste))
        return 22;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        // They move the focus or close the window; no box types them.
        return -1;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Delete:
        return 127;
    default:
        break;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods & Qt::ControlModifier) && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
        return event->key() - Qt::Key_A + 1;
    const QString text = event->text();
    if (text.isEmpty())
        return -1;
    const char16_t c = text.at(0).unicode();
    if (c < 32 && c != 8 && c != 13)
        return c == 0 ? -1 : int(c);
    return int(c);
}

bool FinishKeyPress(QLineEdit* box, int original, int handled)
{
    if (handled == 0)
        return true;
    if (handled == original)
        return false;
    // The handler replaced the character (for example "," by "."): type the
    // replacement instead of the key.
    if (box && !box->isReadOnly() && handled >= 32)
        box->insert(QString(QChar(char16_t(handled))));
    return true;
}

namespace {

class KeyPressFilter : public QObject {
public:
    KeyPressFilter(QLineEdit* box, std::function<void(int&)> keyPress) : QObject(box), keyPress_(std::move(keyPress)) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = KeyAsciiOf(static_cast<QKeyEvent*>(event));
        if (key < 0) return false;
        int handled = key;
        keyPress_(handled);
        return FinishKeyPress(qobject_cast<QLineEdit*>(watched), key, handled);
    }

private:
    std::function<void(int&)> keyPress_;
};

class SelectAllFilter : public QObject {
public:
    explicit SelectAllFilter(QLineEdit* box) : QObject(box) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            // After the mouse press that gave the focus has placed the cursor.
            QPointer<QLineEdit> box = qobject_cast<QLineEdit*>(watched);
            if (box) {
                box->selectAll();
                QTimer::singleShot(0, box, [box] {
                    if (box && box->hasFocus())
                        box->selectAll();
                });
            }
        }
        return false;
    }
};

} // namespace

void InstallKeyPress(QLineEdit* box, std::function<void(int& KeyAscii)> keyPress)
{
    if (box) box->installEventFilter(new KeyPressFilter(box, std::move(keyPress)));
}

void SelectAllOnFocus(QLineEdit* box)
{
    if (box)
        box->installEventFilter(new SelectAllFilter(box));
}

double ReadNumber(const QString& text) { return Val(text.toStdString()); }

float ToSingle(double v)
{
    if (std::isnan(v))
        return std::numeric_limits<float>::quiet_NaN();
    if (FitsSingle(v))
        return static_cast<float>(v);
    return v > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
}

QString SingleText(double v) { return QString::fromStdString(StrSingle(ToSingle(v))); }

} // namespace kinhom

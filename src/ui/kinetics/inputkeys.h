#pragma once
// Key handling and number reading shared by the input boxes of the model
// window, the simulation set-up window and the single-point calculator.
//
// The boxes see a typed key as one character code, as the classic KeyPress
// event delivers it: the character itself, Enter 13, Backspace 8, Delete 127,
// Ctrl+C 3, Ctrl+V 22 and the other Ctrl+letter codes 1 to 26. A handler may
// change the code (the numeric filter turns "," into ".") or set it to 0 to
// drop the key. Keys that type nothing (arrows, Home, Tab, Shift+Tab, Esc,
// function keys) have no code and are never filtered.

#include <functional>

#include <QString>

class QKeyEvent;
class QLineEdit;
class QObject;

namespace kinhom {

// The character code of a key press, or -1 for a key that types nothing.
int KeyAsciiOf(const QKeyEvent* event);

// Carries out a key press on a box after its handler has seen the code:
// original is the code the key produced, handled what the handler left.
// Returns true when the event is used up here (dropped, or replaced by the
// character `handled`), false when the box should process the key itself.
bool FinishKeyPress(QLineEdit* box, int original, int handled);

// Runs keyPress with the code of every key typed into the box (the classic
// KeyPress handler: it may change the code or set it to 0 to drop the key),
// then carries the key out as FinishKeyPress does.
void InstallKeyPress(QLineEdit* box, std::function<void(int& KeyAscii)> keyPress);

// Selects the whole text of the box whenever it receives the focus (also
// when the focus comes from a mouse click).
void SelectAllOnFocus(QLineEdit* box);

// The number at the start of a text (its leading numeric part; 0 when there
// is none). Reading stops at the first character that cannot continue the
// number, so "2,5" reads 2.
double ReadNumber(const QString& text);

// The value rounded to single precision; a value beyond the range of a single
// becomes an infinity of its sign, as the conversion to Single would overflow.
float ToSingle(double v);

// The value as a number box shows it: rounded to single precision (ToSingle)
// in the number text with its leading blank.
QString SingleText(double v);

} // namespace kinhom

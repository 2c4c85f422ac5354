#pragma once
// Titles and curve counts of every diagram kind: the core of SetDiagramTitles.
//
// A window that wants a chart sets DiagrammTyp and the data the code refers to
// and calls SetDiagramTitles; it loads the remembered axis window of the code's
// kind into Diagramm, writes the header and the two axis titles and sets how many
// curves the drawing pass has to prepare. Showing the chart window is the
// window side's part.
//
// Axis titles name the quantity and its unit, with the time unit of the moment:
// "t/s", "c/(mol/l)", "r/(mol/(l*s))", "T/K", "1/T / (1/K)", "ln c(A)", ...

#include <string>

#include "core/shell/declare.h"

namespace kinhom {

struct DiagramTitles {
    std::string Titel;  // header
    std::string xTitel;
    std::string yTitel;
};

// The name of a model as a header shows it: the short model name with runs of
// blanks made single and no blank at either end ("A => P (n = 1)"); model 20
// adds its order "(n = 1.50)" when withOrder is set. An empty text for a number
// outside the catalogue.
std::string ModellTitel(const Declare& d, int model, bool withOrder);

// Header and axis titles of a diagram code in the current state (time unit,
// model, task mode, Michaelis-Menten switches, lambda evaluation, tangent
// column). Every code the program uses has its titles; any other code gets
// empty texts.
DiagramTitles DiagramTitlesFor(const Declare& d, int code);

// Number of curves a code draws: the species count of the model for the
// concentration codes 1 to 18 and 20 and the rate codes 51 to 68 and 70 (2, 3
// or 4, one curve per species); 1 for every other code, the Michaelis-Menten
// diagram included.
int KurvenFuerCode(const Declare& d, int code);

// The axis window the Michaelis-Menten diagram opens with when none has been
// stored for it: the abscissa of the last simulation (0 to 20 in units of KM,
// or 0 to S(0),max) and the relative rate 0 to 1.
DiagrammInfo MichaelisMentenFenster(const Declare& d);

// For code = d.DiagrammTyp: loads the code's axis window into d.Diagramm
// (LoadAxisScales; the Michaelis-Menten diagram falls back to its own window
// when the stored one is empty or not finite), writes the titles into
// d.Diagramm and sets d.KurvenZuZeichnen.
void SetDiagramTitles(Declare& d);

} // namespace kinhom

#pragma once
// The application object of the running program, as main() creates it: the
// program folder beside the executable (tips file, help pages, icons, last
// session), the real services, the user's settings and the main window's file
// commands. The caller owns the QApplication and runs startUp() and exec().

#include <memory>

namespace kinhom {

class App;

std::unique_ptr<App> MakeProgramApp();

} // namespace kinhom

#pragma once
// A test application: a temporary program folder (with a tips file when one
// is given), its own settings file, recording services, and the current
// directory restored afterwards (the start-up changes it).

#include <filesystem>
#include <memory>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "ui/shell/application.h"
#include "ui/shell/mdikin.h"
#include "ui/shell/services.h"

namespace kinhom::test {

// Starts the program as main() does and opens its start-up windows at once: the
// program opens them only after the main window's first paint.
inline void StartUp(App& a)
{
    a.startUp();
    a.mainWindow().OpenStartWindows();
}

struct ShellFixture {
    QTemporaryDir dir;
    RecordingServices* rec = nullptr;
    std::unique_ptr<App> app;
    std::filesystem::path oldCwd = std::filesystem::current_path();

    ShellFixture() { create(); }
    ~ShellFixture()
    {
        app.reset();
        std::error_code ec;
        std::filesystem::current_path(oldCwd, ec);
    }

    void create()
    {
        auto services = std::make_unique<RecordingServices>();
        rec = services.get();
        app = std::make_unique<App>(App::Setup{folder(), std::move(services), settingsFile()});
    }

    std::filesystem::path folder() const { return std::filesystem::path(dir.path().toStdString()); }
    QString settingsFile() const { return dir.filePath("settings.ini"); }
    QString filePath(const QString& name) const { return dir.filePath(name); }

    void writeFile(const QString& name, const QByteArray& content) const
    {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(content);
    }

    void setTipsSetting(const QString& value) const
    {
        QSettings s(settingsFile(), QSettings::IniFormat);
        s.setValue("Options/Show Tips at Startup", value);
        s.sync();
    }
    QVariant tipsSetting() const
    {
        QSettings s(settingsFile(), QSettings::IniFormat);
        return s.value("Options/Show Tips at Startup");
    }
};

} // namespace kinhom::test

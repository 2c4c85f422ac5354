// A handler that throws shows its description and the event loop goes on.
#include <stdexcept>

#include <QPushButton>
#include <QtTest>

#include "ui/shell/application.h"
#include "ui/shell/guarded.h"
#include "ui/shell/services.h"

using namespace kinhom;

class TestGuarded : public QObject {
    Q_OBJECT
private slots:
    void throwingHandlerShowsItsDescription()
    {
        QTemporaryDir dir;
        auto rec = std::make_unique<RecordingServices>();
        RecordingServices* r = rec.get();
        App a({.programFolder = dir.path().toStdString(), .services = std::move(rec),
               .settingsFile = dir.filePath("s.ini")});
        QPushButton button;
        int runs = 0;
        QObject::connect(&button, &QPushButton::clicked, &button, Guarded([&](bool) {
                             ++runs;
                             throw std::runtime_error("division by zero in k(T)");
                         }));
        button.click();
        button.click();
        QCOMPARE(runs, 2);
        QCOMPARE(r->messages.size(), std::size_t(2));
        QCOMPARE(r->messages[0].text, QString("division by zero in k(T)"));
        QCOMPARE(r->messages[0].icon, MsgIcon::Critical);
    }
    void handlerWithoutArgumentsTakesSignalsWithArguments()
    {
        QPushButton button;
        int runs = 0;
        QObject::connect(&button, &QPushButton::clicked, &button, Guarded([&] { ++runs; }));
        button.click();
        QCOMPARE(runs, 1);
    }
};

QTEST_MAIN(TestGuarded)
#include "test_guarded.moc"

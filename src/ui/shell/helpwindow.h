#pragma once
// The program's help window: shows the help page of a context number,
// <help folder>/<context>.html, with links between the pages, Back and Forward.

#include <QString>
#include <QWidget>

class QTextBrowser;
class QPushButton;

namespace kinhom {

// The context number of the help contents page.
constexpr int kHelpContents = 10270;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& helpFolder, QWidget* parent = nullptr);

    // Shows the page of a context number; a missing page shows a short notice.
    // Returns false when the page does not exist.
    bool showTopic(int context);
    int currentTopic() const { return topic_; }
    QTextBrowser* browser() const { return browser_; }

    // The file of a context number's page.
    static QString TopicFile(const QString& helpFolder, int context);

private:
    QString folder_;
    QTextBrowser* browser_ = nullptr;
    QPushButton* cmdBack_ = nullptr;
    QPushButton* cmdForward_ = nullptr;
    int topic_ = 0;
};

} // namespace kinhom

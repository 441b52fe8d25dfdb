// Help window over the HTML help file; topic numbers are anchors "topicN".
#include "app/helpwindow.h"

#include "core/ulang.h"
#include "core/umessage.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(ULang::HelpCaption);
    setAccessibleName(ULang::HelpCaption);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(760, 600);
}

QString HelpWindow::HelpFilePath()
{
    // Looked up below the current directory, wherever the program itself lies.
    return QDir::current().absoluteFilePath(QStringLiteral("help/") + ULang::HelpFileName);
}

bool HelpWindow::ShowTopic(int topic)
{
    QString path = HelpFilePath();
    if (!QFileInfo(path).isFile()) {
        ShowMessage(ULang::HelpFileMissing.arg(QDir::toNativeSeparators(path)), ULang::CaptionError,
                    MsgIcon::Error);
        return false;
    }
    QUrl url = QUrl::fromLocalFile(path);
    if (topic > 0)
        url.setFragment(QStringLiteral("topic%1").arg(topic));
    m_browser->setSource(url);
    if (topic > 0)
        m_browser->scrollToAnchor(QStringLiteral("topic%1").arg(topic));
    show();
    raise();
    activateWindow();
    return true;
}

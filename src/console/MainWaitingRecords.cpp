// Records the disk or another program refused for now: walk-test summaries, the site book's
// lines and the remembered port. They wait in the window, are tried again on a timer and at
// the next write of their kind, and the close does not end the run before they are written,
// set aside, or knowingly given up.
#include "console/Main.h"

#include "console/PageControl.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace console {

namespace {

// Often enough that a spreadsheet closed on site lets the lines in within moments; seldom
// enough that a held lock's short wait does not slow the window.
constexpr int kWaitingRecordsRetryMs = 5000;

void SayOnStandardError(const QString& text) {
    std::fprintf(stderr, "mirelund: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace

void TfmMain::CloseUnattended() {
    bUnattendedClose = true;
    close();
}

void TfmMain::WriteWaitingRecords() {
    for (const std::string& folder : recording.WriteWaitingSummaries()) {
        const auto walkTest = std::find_if(
            walkTestsAwaitingSummary.begin(), walkTestsAwaitingSummary.end(),
            [&](const records::SiteBookEntry& entry) { return entry.sWalkTestFolder == folder; });
        if (walkTest == walkTestsAwaitingSummary.end())
            continue;
        const records::SiteBookEntry entry = *walkTest;
        walkTestsAwaitingSummary.erase(walkTest);
        BookWalkTest(entry, records::kEventWalkTest);
    }
    if (siteBook && siteBook->Waiting() > 0) {
        const std::string error = siteBook->WriteWaiting();
        if (!error.empty())
            ShowNotice(QString::fromLocal8Bit(error.c_str()));
    }
    if (unwrittenComPort && settingsFile.WriteComPort(*unwrittenComPort))
        unwrittenComPort.reset();
    ShowWaitingRecords();
}

QStringList TfmMain::WaitingRecords() const {
    QStringList waiting;
    for (const records::AlarmRecording::WaitingSummary& summary : recording.WaitingSummaries())
        waiting << QStringLiteral("The summary of the walk test \"%1\" is not written: %2")
                       .arg(QString::fromStdString(summary.sFolder),
                            QString::fromLocal8Bit(summary.sError.c_str()));
    if (siteBook && siteBook->Waiting() > 0)
        waiting << QStringLiteral("%1 site book line(s) wait: %2")
                       .arg(siteBook->Waiting())
                       .arg(QString::fromLocal8Bit(siteBook->WaitReason().c_str()));
    if (unwrittenComPort)
        waiting << QStringLiteral("The port COM%1 is not remembered: \"%2\" cannot be written")
                       .arg(*unwrittenComPort)
                       .arg(QString::fromStdString(settingsFile.Path()));
    return waiting;
}

// At the tab row's end, for as long as anything waits: the count is what an installer must
// see; the reasons are in its tip.
void TfmMain::ShowWaitingRecords() {
    const QStringList waiting = WaitingRecords();
    if (waiting.isEmpty()) {
        tmWaitingRecords->stop();
        pcMain->SetCornerText({}, {});
        return;
    }
    if (!tmWaitingRecords->isActive())
        tmWaitingRecords->start(kWaitingRecordsRetryMs);
    const int summaries = static_cast<int>(recording.WaitingSummaries().size());
    const int lines = siteBook ? static_cast<int>(siteBook->Waiting()) : 0;
    QStringList parts;
    if (summaries > 0)
        parts << QStringLiteral("%1 summary").arg(summaries) + (summaries > 1 ? "s" : "");
    if (lines > 0)
        parts << QStringLiteral("%1 site book line").arg(lines) + (lines > 1 ? "s" : "");
    if (unwrittenComPort)
        parts << QStringLiteral("the port");
    pcMain->SetCornerText(QStringLiteral("Not yet written: ") + parts.join(QStringLiteral(", ")),
                          waiting.join(QLatin1Char('\n')));
}

bool TfmMain::AskRetryAtClose(const QStringList& waiting) {
    QMessageBox box(QMessageBox::Warning, windowTitle(),
                    QStringLiteral("Not everything of this run is written yet:"),
                    QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("CloseNotWritten"));
    QString details = QStringLiteral("<ul>");
    for (const QString& line : waiting)
        details += QStringLiteral("<li>") + line.toHtmlEscaped() + QStringLiteral("</li>");
    details += QStringLiteral("</ul>");
    if (siteBook && siteBook->Waiting() > 0)
        details += QStringLiteral("<p>Close anyway puts the site book's lines in \"%1\" beside "
                                  "the book.</p>")
                       .arg(QString::fromUtf8(records::kSiteBookWaitingFileName));
    details += QStringLiteral("<p>Free the disk or close the program that holds the file, then "
                              "Retry.</p>");
    box.setInformativeText(details);
    QPushButton* retry = box.addButton(QStringLiteral("Retry"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Close anyway"), QMessageBox::RejectRole);
    box.setDefaultButton(retry);
    box.exec();
    return box.clickedButton() == retry && !bUnattendedClose;
}

void TfmMain::FinishRecordsAtClose() {
    tmWaitingRecords->stop();
    for (;;) {
        WriteWaitingRecords();
        const QStringList waiting = WaitingRecords();
        if (waiting.isEmpty())
            return;
        if (bUnattendedClose || !AskRetryAtClose(waiting))
            break;
    }
    QStringList said;
    for (const records::AlarmRecording::WaitingSummary& summary : recording.WaitingSummaries())
        said << QStringLiteral("The summary of the walk test \"%1\" was not written: %2")
                    .arg(QString::fromStdString(summary.sFolder),
                         QString::fromLocal8Bit(summary.sError.c_str()));
    // The walk test happened: the book says so, and that its summary is missing.
    for (const records::SiteBookEntry& entry : std::exchange(walkTestsAwaitingSummary, {}))
        BookWalkTest(entry, records::kEventWalkTestWithoutSummary);
    if (siteBook) {
        const std::string aside = siteBook->SetWaitingAside();
        if (!aside.empty())
            said << QString::fromLocal8Bit(aside.c_str());
    }
    if (unwrittenComPort)
        said << QStringLiteral("The port COM%1 was not remembered: \"%2\" cannot be written")
                    .arg(*unwrittenComPort)
                    .arg(QString::fromStdString(settingsFile.Path()));
    if (bUnattendedClose)
        for (const QString& line : said)
            SayOnStandardError(line);
}

} // namespace console

// The same working folder under a decimal-comma locale one day and a decimal-point one the
// next: the site book goes on in the notation its header was written in, and its page reads
// it. The decimal-comma locale is made with localedef into the test's own folder.
#include "EndToEndFixture.h"

#include "records/SiteBook.h"

#include <QDir>
#include <QProcess>

namespace e2e {
namespace {

class Locales : public EndToEnd {
protected:
    void AdjustEnvironment(QProcessEnvironment& env) override {
        const QString locales = root.filePath("locales");
        ASSERT_TRUE(QDir().mkpath(locales));
        QProcess localedef;
        localedef.start("localedef", {"-i", "de_DE", "-f", "UTF-8", locales + "/de_DE.UTF-8"});
        ASSERT_TRUE(localedef.waitForFinished(60000));
        ASSERT_EQ(localedef.exitCode(), 0) << localedef.readAllStandardError().toStdString();
        env.insert("LOCPATH", locales);
        env.insert("LC_ALL", "de_DE.UTF-8");
        env.remove("LANG");
        env.remove("LC_NUMERIC");
    }
    QList<QByteArray> BookLines() const {
        QList<QByteArray> lines = ReadAll(Work(records::kSiteBookFileName)).split('\n');
        lines.removeAll(QByteArray());
        return lines;
    }
    bool BookHasLines(int count) const { return BookLines().size() >= count; }
};

TEST_F(Locales, TheBookKeepsItsNotationAcrossLocalesAndItsPageReadsIt) {
    ASSERT_TRUE(WaitFor([&] { return BookHasLines(2); }, 20000)) << "identified under de_DE";
    EndProcess(tool);

    QProcessEnvironment pointLocale = tool.processEnvironment();
    pointLocale.insert("LC_ALL", "C.UTF-8");
    tool.setProcessEnvironment(pointLocale);
    tool.start();
    ASSERT_TRUE(tool.waitForStarted(5000));
    ASSERT_TRUE(WaitFor([&] { return BookHasLines(3); }, 20000)) << "identified under C";
    EndProcess(tool);

    const QList<QByteArray> lines = BookLines();
    ASSERT_TRUE(lines[0].startsWith("Date and time;Event;")) << lines[0].toStdString();
    for (const QByteArray& line : lines.mid(1)) {
        EXPECT_EQ(line.count(';'), lines[0].count(';')) << line.toStdString();
        EXPECT_EQ(line.count(','), 2)
            << "Vmin and Supply with a decimal comma: " << line.toStdString();
    }

    QProcess page;
    page.setProcessEnvironment(pointLocale);
    page.start(MIRELUND_EXE, {"--site-book", root.filePath("work")});
    ASSERT_TRUE(page.waitForFinished(20000));
    EXPECT_EQ(page.exitCode(), 0) << page.readAllStandardOutput().toStdString()
                                  << page.readAllStandardError().toStdString();
    EXPECT_TRUE(QFile::exists(Work("Site book.html")));
}

} // namespace
} // namespace e2e

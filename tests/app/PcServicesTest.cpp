// The PC page's services with the outside world replaced: resolver, opener, programs and
// message boxes are recorded, never reached.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <condition_variable>
#include <mutex>

#include "FileDialogChoice.h"
#include "HostResolver.h"
#include "PcServices.h"
#include "ProgramSandbox.h"
#include "ProgramWindows.h"
#include "TForm_Abdeckung.h"
#include "TForm_FileDialog.h"

namespace {

TEST(HostResolverTest, FirstIpv4AddressOrNothing) {
    EXPECT_EQ(host_resolver::ResolveHostIPv4("127.0.0.1"), "127.0.0.1");
    EXPECT_EQ(host_resolver::ResolveHostIPv4("::1"), "") << "an IPv6 address alone is no answer";
    EXPECT_EQ(host_resolver::ResolveHostIPv4(""), "");
}

class PcServicesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        windows_ = std::make_unique<ProgramWindows>([](const QString&) {});
        main().show();
        services().message = [this](PcServices::MessageIcon, const QString& title,
                                    const QString& text) {
            messages_ << title + "|" + text;
            coveredDuringMessage_ = Form_Abdeckung->isVisible();
        };
        services().openUrl = [this](const QUrl& url) {
            opened_ << url.toString();
            return true;
        };
        services().startProgram = [this](const QString& program, const QString& folder) {
            started_ << program + "|" + folder;
            return true;
        };
    }
    void TearDown() override { windows_.reset(); }
    TForm_Main& main() { return windows_->Main(); }
    PcServices& services() { return *main().Services; }
    // A resolver that answers only for the hosts given, and notes every host asked.
    void answerFor(const QStringList& hosts) {
        services().resolve = [this, hosts](const std::string& host) {
            std::lock_guard<std::mutex> guard(lock_);
            asked_ << QString::fromStdString(host);
            return hosts.contains(QString::fromStdString(host)) ? std::string("192.0.2.1")
                                                                : std::string();
        };
    }
    QStringList asked() {
        std::lock_guard<std::mutex> guard(lock_);
        return asked_;
    }

    ProgramSandbox sandbox_;
    std::unique_ptr<ProgramWindows> windows_;
    std::mutex lock_;
    QStringList asked_, messages_, opened_, started_;
    bool coveredDuringMessage_ = false;
};

TEST_F(PcServicesTest, InternetCheckAsksTheSecondHostOnlyWhenTheFirstFails) {
    const QString first = KALVIO_CONFIGURED_MAIN_HOST;
    const QString second = KALVIO_CONFIGURED_SECOND_HOST;
    const std::tuple<QStringList, bool, QStringList> cases[] = {
        {{first, second}, true, {first}},
        {{second}, true, {first, second}},
        {{}, false, {first, second}},
    };
    for (const auto& [resolving, connected, expectedAsked] : cases) {
        asked_.clear();
        answerFor(resolving);
        EXPECT_EQ(services().InternetCheck(), connected) << resolving.join(' ').toStdString();
        EXPECT_EQ(asked(), expectedAsked);
    }
}

// A resolver that never answers counts as no connection once the wait is over.
TEST_F(PcServicesTest, HangingResolverMeansNoConnection) {
    struct Gate {
        std::mutex lock;
        std::condition_variable opened;
        bool open = false;
    };
    auto gate = std::make_shared<Gate>();
    services().resolve = [gate](const std::string&) {
        std::unique_lock<std::mutex> hold(gate->lock);
        gate->opened.wait(hold, [&gate] { return gate->open; });
        return std::string("192.0.2.1");
    };
    services().resolveTimeoutMs = 200;
    QElapsedTimer took;
    took.start();
    EXPECT_FALSE(services().InternetCheck());
    EXPECT_LT(took.elapsed(), 5000);
    {
        std::lock_guard<std::mutex> hold(gate->lock);
        gate->open = true;
    }
    gate->opened.notify_all();
}

TEST_F(PcServicesTest, NoInternetMessageSpeaksTheLanguageOfTheLanguageField) {
    const std::pair<QString, bool> fields[] = {
        {"Deutsch (Schweiz) 1.0", true}, {"", true}, {"  Deutsch", true}, {"English 1.0", false}};
    for (const auto& [field, german] : fields) {
        EXPECT_EQ(PcServices::NoInternetMessageInGerman(field), german) << field.toStdString();
    }
    main().findChild<QLineEdit*>("Edit_VersionSprache")->setText("English 1.0");
    services().ShowNoInternetMessage();
    EXPECT_EQ(messages_.value(0),
              "Kalvio - Quenzel AG|There is no connection to the Internet... \n\n");
    EXPECT_TRUE(coveredDuringMessage_);
    EXPECT_FALSE(Form_Abdeckung->isVisible());

    Form_Abdeckung->Cover();  // another modal action's overlay stays
    services().ShowNoInternetMessage();
    EXPECT_TRUE(Form_Abdeckung->isVisible());
    Form_Abdeckung->Uncover();
}

TEST_F(PcServicesTest, UpdateOpensTheSupportPageAndEndsOnlyWithInternet) {
    answerFor({});
    services().StartUpdate();
    EXPECT_EQ(messages_.size(), 1);
    EXPECT_TRUE(opened_.isEmpty());
    EXPECT_TRUE(main().isVisible());

    answerFor({KALVIO_CONFIGURED_MAIN_HOST});
    services().StartUpdate();
    EXPECT_EQ(opened_, QStringList{KALVIO_CONFIGURED_SUPPORT_PAGE});
    EXPECT_FALSE(main().isVisible()) << "the window closes, which ends the program";
}

// With no browser to take the page, Kalvio stays: the user has seen nothing happen yet.
TEST_F(PcServicesTest, UpdateEndsOnlyWhenTheDesktopTookThePage) {
    answerFor({KALVIO_CONFIGURED_MAIN_HOST});
    services().openUrl = [this](const QUrl& url) {
        opened_ << url.toString();
        return false;
    };
    services().StartUpdate();
    EXPECT_EQ(opened_, QStringList{KALVIO_CONFIGURED_SUPPORT_PAGE});
    EXPECT_TRUE(main().isVisible());
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(PcServicesTest, SupportStartsTheProgramInItsFolderOrOpensTheHomePage) {
    answerFor({KALVIO_CONFIGURED_MAIN_HOST});
    services().StartSupport();
    EXPECT_EQ(opened_, QStringList{KALVIO_CONFIGURED_HOME_PAGE});

    ASSERT_TRUE(QDir().mkpath(main().TeamViewerFolder));
    const QString program = main().TeamViewerFolder + PcServices::RemoteSupportProgram;
    QFile file(program);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    services().StartSupport();
    EXPECT_EQ(started_, QStringList{program + "|" + main().TeamViewerFolder});
    EXPECT_EQ(opened_.size(), 1);
}

TEST_F(PcServicesTest, ManualOpensThePickedPdfUnlessAnotherActionIsOpen) {
    ASSERT_TRUE(QDir().mkpath(main().HelpFolder));
    QFile manual(main().HelpFolder + "Handbuch.pdf");
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    manual.close();

    Form_Abdeckung->Cover();
    services().OpenManual();
    EXPECT_FALSE(Form_FileDialog->isVisible());
    Form_Abdeckung->Uncover();
    EXPECT_TRUE(opened_.isEmpty());

    EXPECT_TRUE(ChooseInFileDialog("Handbuch.pdf", [this] { services().OpenManual(); }));
    EXPECT_EQ(opened_,
              QStringList{QUrl::fromLocalFile(main().HelpFolder + "Handbuch.pdf").toString()});
    EXPECT_FALSE(Form_Abdeckung->isVisible());
}

}  // namespace

#include "proxy/AccountFile.h"
#include "TestSupport.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {
constexpr int kFastIterations = 1000; // the tests need the format, not the cost
}

TEST(AccountFile, KeepsOnlyASaltedHashAndVerifiesEmailInAnyCaseAndExactPassword)
{
    QTemporaryDir dir;
    AccountFile accounts(dir.filePath("accounts"));
    QString error;
    ASSERT_TRUE(accounts.Set("myblog", "Joe@Example.com", " s3cret pass", &error, kFastIterations));
    ASSERT_TRUE(accounts.Set("other", "ann@example.com", " s3cret pass", &error, kFastIterations));
    ASSERT_TRUE(accounts.Save(&error)) << qPrintable(error);

    const QByteArray text = TestSupport::ReadFile(accounts.Path());
    EXPECT_FALSE(text.contains("s3cret"));
    EXPECT_TRUE(text.contains("myblog\tJoe@Example.com\tpbkdf2-sha256$1000$"));
    // The same password gets a different salt and so a different hash in every account.
    EXPECT_NE(accounts.Find("myblog")->hash.section(u'$', 3),
              accounts.Find("other")->hash.section(u'$', 3));
    const QFileDevice::Permissions permissions = QFileInfo(accounts.Path()).permissions();
    EXPECT_TRUE(permissions & QFileDevice::ReadOwner);
    EXPECT_FALSE(permissions & (QFileDevice::ReadGroup | QFileDevice::ReadOther));

    AccountFile reread(accounts.Path());
    ASSERT_TRUE(reread.Load(&error)) << qPrintable(error);
    EXPECT_TRUE(reread.Verify("myblog", "joe@example.COM", " s3cret pass"));
    EXPECT_TRUE(reread.Verify("myblog", "joe@example.com", " s3cret pass")); // remembered
    EXPECT_FALSE(reread.Verify("myblog", "joe@example.com", "s3cret pass"));
    EXPECT_FALSE(reread.Verify("myblog", "ann@example.com", " s3cret pass"));
    EXPECT_FALSE(reread.Verify("nobody", "joe@example.com", " s3cret pass"));

    // A new password replaces the old one, even after the old one was remembered.
    ASSERT_TRUE(reread.Set("myblog", "joe@example.com", "new", &error, kFastIterations));
    EXPECT_FALSE(reread.Verify("myblog", "joe@example.com", " s3cret pass"));
    EXPECT_TRUE(reread.Verify("myblog", "joe@example.com", "new"));
}

TEST(AccountFile, DamagedFileIsRefusedNamingTheLine)
{
    const QString good = AccountFile::HashPassword("pw", kFastIterations);
    const struct
    {
        QString content;
        const char* error;
    } cases[] = {
        {"# comment\n\nmyblog\tjoe@example.com\t" + good + "\nbad line\n", "line 4"},
        {"../x\tjoe@example.com\t" + good, "line 1"},
        {"myblog\tno-at-sign\t" + good, "line 1"},
        {"myblog\tjoe@example.com\tpbkdf2-sha256$1$AAAAAAAAAAA=$AAAA", "line 1"},
        {"myblog\tjoe@example.com\tplain-password", "line 1"},
        {"myblog\tjoe@example.com\t" + good + "\nmyblog\tjoe@example.com\t" + good, "listed twice"},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        const QString path = dir.filePath("accounts");
        ASSERT_TRUE(TestSupport::WriteFile(path, c.content.toUtf8()));
        AccountFile accounts(path);
        QString error;
        EXPECT_FALSE(accounts.Load(&error)) << qPrintable(c.content);
        EXPECT_TRUE(error.contains(c.error)) << qPrintable(error);
    }
}

TEST(AccountFile, RefusesNamesAndAddressesItCannotServe)
{
    QTemporaryDir dir;
    AccountFile accounts(dir.filePath("accounts"));
    QString error;
    for (const char* name : {"../x", "My Blog", "my.blog", ""})
        EXPECT_FALSE(accounts.Set(name, "joe@example.com", "pw", &error, kFastIterations)) << name;
    for (const char* email : {"joe", "a@b@c", "joe @x", "joe@x\n"})
        EXPECT_FALSE(accounts.Set("myblog", email, "pw", &error, kFastIterations)) << email;
    EXPECT_FALSE(accounts.Set("myblog", "joe@example.com", "", &error, kFastIterations));
    EXPECT_TRUE(accounts.Accounts().isEmpty());
}

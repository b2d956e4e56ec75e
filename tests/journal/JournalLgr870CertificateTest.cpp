// A certificate of an 870 adjustment made against the simulated logger,
// read back with pdftotext: the logger's serial, what it held before and
// holds after, the limits the page checked and the pass mark.

#include "journal/Certificate.h"
#include "tests/journal/JournalSamples.h"
#include "tests/journal/DocumentText.h"
#include "tests/support/GuiApp.h"
#include "tests/journal/JournalLgr870Bench.h"

namespace tb::journal {
namespace {

class JournalLgr870CertificateTest : public JournalLgr870Test {
  protected:
    static void SetUpTestSuite() { tb::testing::EnsureGuiApp(); }
};

TEST_F(JournalLgr870CertificateTest, ACertificateOfASendNamesTheLoggerItsFiguresAndTheLimits) {
    Hold(kSecondGroup, {1000, 500, 1000, 200});
    SendOnSecondTab("20");
    ASSERT_EQ(Held(kSecondGroup), (CalibrationCodes{1000, 500, 2000, 400}));
    const JournalEntry row = OnlyRow();
    const std::string pdf = dir_.str() + "/certificate.pdf";
    JournalError error;
    ASSERT_TRUE(WriteCertificate({row}, testing::LabHeader(), pdf, error)) << JournalErrorText(error);
    const std::string text = testing::PdfText(pdf);
    for (const char* expected : {"12345678", "870", "y = 1.000x +0.500", "y = 1.000x +0.200",
                                 "y = 2.000x +0.400", "10 → 20",
                                 "傾き 0.001〜2.000 / オフセット ±30.0", "確認済", "20 %RH", "-10.0 %RH"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
    EXPECT_EQ(text.find("未確認"), std::string::npos) << text;
}

// The as-left is what the logger's codes hold: a composed value its codes
// round is still a pass; a failed operation never is.
TEST(CertificateVerdict, AsLeftRoundedByTheCodesPassesAndAFailureNeverDoes) {
    pages::ChannelRecord channel;
    channel.composed = pages::Correction{1.0, 0.123};
    channel.asLeft = pages::Correction{1.0, 0.1};
    JournalEntry entry;
    entry.outcome = kOutcomeSuccess;
    EXPECT_TRUE(ChannelPassed(entry, channel));
    entry.outcome = kOutcomeFailure;
    EXPECT_FALSE(ChannelPassed(entry, channel));
    entry.outcome = kOutcomeSuccess;
    channel.asLeft.reset();
    EXPECT_FALSE(ChannelPassed(entry, channel));
}

}  // namespace
}  // namespace tb::journal

// The certificate's drift picture: every visit and both limits inside the
// picture, nothing drawn at its right edge (where a picture that does not
// fit is cut), and labels under the time axis and beside the value axes.
// The picture is kept in artefacts/drift.png to be looked at.
#include <gtest/gtest.h>

#include <QDir>
#include <cstdio>
#include <string>

#include "journal/DriftPicture.h"
#include "tests/support/GuiApp.h"

namespace tb::journal {
namespace {

class DriftPictureTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { tb::testing::EnsureGuiApp(); }
};

// Twelve visits, the last two on one day, drifting towards the offset limit.
DriftSeries Drifting() {
    DriftSeries series;
    series.channel = "温度";
    series.limits = pages::AppliedLimits{0, 0.5, 2.0, 30.0, 30.0};
    for (int i = 0; i < 12; ++i) {
        DriftVisit visit;
        visit.id = i + 1;
        const int day = i < 11 ? i + 1 : 11;
        char time[40];
        std::snprintf(time, sizeof time, "2026-%02d-%02d %02d:30:00 (+09:00)", i < 11 ? 1 + i : 11,
                      day, 9 + i);
        visit.localTime = time;
        visit.asFound = pages::Correction{1.0 + 0.002 * i, 2.5 * i};
        visit.asLeft = pages::Correction{1.0, 0.1 * i};
        series.visits.push_back(visit);
    }
    return series;
}

// Whether any pixel of the column range [from, to) is not white.
bool Inked(const QImage& image, int fromX, int toX, int fromY, int toY) {
    for (int y = fromY; y < toY; ++y)
        for (int x = fromX; x < toX; ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) return true;
    return false;
}

TEST_F(DriftPictureTest, EverythingIsInsideThePictureWithItsAxesLabelled) {
    const QImage picture = DriftPicture(Drifting(), 1770, 885);
    ASSERT_EQ(picture.width(), 1770);
    ASSERT_EQ(picture.height(), 885);
    QDir().mkpath(QStringLiteral(TB_ARTEFACT_DIR));
    picture.save(QStringLiteral(TB_ARTEFACT_DIR "/drift.png"));

    const int w = picture.width();
    const int h = picture.height();
    EXPECT_FALSE(Inked(picture, w - 8, w, 0, h)) << "drawn up to the right edge";
    EXPECT_FALSE(Inked(picture, 0, w, h - 4, h)) << "drawn up to the bottom edge";
    // The visits' labels below the plots, the tick labels left of each plot.
    EXPECT_TRUE(Inked(picture, 0, w / 2, h * 3 / 4, h - 4));
    EXPECT_TRUE(Inked(picture, w / 2, w, h * 3 / 4, h - 4));
    EXPECT_TRUE(Inked(picture, 0, w / 20, h / 5, h * 2 / 3));
    EXPECT_TRUE(Inked(picture, w / 2, w / 2 + w / 20, h / 5, h * 2 / 3));
}

TEST_F(DriftPictureTest, AFirstVisitWithoutLimitsStillDraws) {
    DriftSeries series = Drifting();
    series.visits.resize(1);
    series.limits.reset();
    const QImage picture = DriftPicture(series, 1770, 590);
    EXPECT_TRUE(Inked(picture, 0, picture.width(), 0, picture.height()));
    EXPECT_FALSE(Inked(picture, picture.width() - 8, picture.width(), 0, picture.height()));
}

}  // namespace
}  // namespace tb::journal

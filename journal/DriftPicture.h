// The drift of a channel as a picture for the certificate, drawn for print
// at 300 dpi: the correction as found at the logger's last visits (a line)
// and as left (circles), slope on the left and offset on the right, each
// with its value axis, its limits (stated above it, dashed where the axis
// reaches them) and every visit labelled with its date (and time of day
// when two fall on one day), under a key. Drawn with the GUI module's
// painter (the window's chart needs the widgets).
#pragma once

#include <QImage>
#include <cstddef>
#include <string>

#include "journal/DriftSeries.h"

namespace tb::journal {

// How many of the latest visits a certificate shows.
inline constexpr std::size_t kCertificateVisits = 12;

// The texts of the picture, in the certificate's language.
struct DriftCaptions {
    std::string slope = "slope a";
    std::string offset = "offset b";
    std::string asFound = "as found";
    std::string asLeft = "as left";
    std::string limits = "limits";
};

// The series' latest `visits` visits, drawn `width` x `height` pixels.
QImage DriftPicture(const DriftSeries& series, int width, int height,
                    std::size_t visits = kCertificateVisits, const DriftCaptions& captions = {});

}  // namespace tb::journal

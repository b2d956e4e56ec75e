// The drift of a channel as a small picture for the certificate: the
// correction as found at the logger's last visits, slope above and offset
// below, each with its limits, and the as-left values as hollow dots. Drawn
// with the GUI module's painter (the window's chart needs the widgets).
#pragma once

#include <QImage>
#include <cstddef>

#include "journal/DriftSeries.h"

namespace tb::journal {

// How many of the latest visits a certificate shows.
inline constexpr std::size_t kCertificateVisits = 12;

// The series' latest `visits` visits, drawn `width` x `height` pixels.
QImage DriftPicture(const DriftSeries& series, int width, int height,
                    std::size_t visits = kCertificateVisits);

}  // namespace tb::journal

// Control ids of the journal window. Assistive technology sees each as the
// control's accessible description, as with every dialog of the program.
#pragma once

namespace tb::resources::journal_window {

inline constexpr int kSerialFilter = 3101;
inline constexpr int kModelFilter = 3102;
inline constexpr int kDateFilter = 3103;
inline constexpr int kDateFrom = 3104;
inline constexpr int kDateTo = 3105;
inline constexpr int kOutcomeFilter = 3106;
inline constexpr int kTable = 3107;
inline constexpr int kDetail = 3108;
inline constexpr int kExportCsv = 3109;
inline constexpr int kCertificate = 3110;
inline constexpr int kWholeDay = 3111;
inline constexpr int kVerify = 3112;

}  // namespace tb::resources::journal_window

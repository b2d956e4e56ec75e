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
inline constexpr int kConditions = 3113;
inline constexpr int kConditionsSummary = 3114;
// The references and conditions dialog.
inline constexpr int kReferenceTable = 3120;
inline constexpr int kReferenceId = 3121;
inline constexpr int kReferenceDescription = 3122;
inline constexpr int kReferenceCertificate = 3123;
inline constexpr int kReferenceCalibrated = 3124;
inline constexpr int kReferenceDue = 3125;
inline constexpr int kReferenceAdd = 3126;
inline constexpr int kReferenceRetire = 3127;
inline constexpr int kAmbientTemperature = 3128;
inline constexpr int kAmbientHumidity = 3129;
// The drift view.
inline constexpr int kDrift = 3130;
inline constexpr int kDriftChannel = 3131;
inline constexpr int kDriftChart = 3132;
inline constexpr int kDriftPng = 3133;
inline constexpr int kDriftCsv = 3134;
inline constexpr int kCertificateDrift = 3135;
// The machine-readable certificate (DCC) beside the PDF.
inline constexpr int kCertificateDcc = 3150;
// The reference filter and the loggers due.
inline constexpr int kReferenceFilter = 3290;
inline constexpr int kDue = 3291;
inline constexpr int kDueWithin = 3292;
inline constexpr int kDueTable = 3293;

}  // namespace tb::resources::journal_window

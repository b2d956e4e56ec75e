// Every id of the string table, once, by name. The numbers are part of the
// program's interface: resource libraries (the English one among them)
// answer by number, so a number never changes and is never reused.
//
// The window's texts are plain ints, named by what they are:
//   kMsg... a message the program shows (some carry printf values),
//   kFmt... a printf format for a correction, a list row or a log line,
//   kStr... a caption, label, unit or word.
// The command line's texts are a block of their own (cli_text, 4000 to
// 4199), typed so that only they reach the command line's Text(), whose
// placeholders are %1, %2, ... rather than printf's.
#pragma once

namespace tb::resources {
namespace strings {

// The corrections as the pages show them.
inline constexpr int kFmtCurrent3 = 103;  // current setting, offset with 3 decimals
inline constexpr int kFmtCurrent1 = 104;  // current setting, offset with 1 decimal
inline constexpr int kMsgReceived = 106;
inline constexpr int kFmtEntered3 = 107;      // entered correction, 3 decimals
inline constexpr int kStrAboutMenu = 108;     // the window has no about entry when empty
inline constexpr int kFmtEntered1 = 109;      // entered correction, 1 decimal
inline constexpr int kFmtCurrentWhole = 110;  // current setting, whole-number offset

// The adjustment pages.
inline constexpr int kStrIlluminanceUvSensor = 1001;
inline constexpr int kStrTempHumiditySensor = 1002;
inline constexpr int kStrCelsius = 1003;
inline constexpr int kStrFahrenheit = 1004;
inline constexpr int kMsgConfirmInitialise = 1005;
inline constexpr int kMsgHelpFailed = 1006;
inline constexpr int kMsgEnterNumbers = 1007;
inline constexpr int kMsgBelowMinusOne = 1008;
inline constexpr int kMsgBelowZero = 1009;
inline constexpr int kMsgLimitFormula = 1012;
inline constexpr int kMsgSent = 1013;
inline constexpr int kMsgCommunicationFailed = 1014;
inline constexpr int kFmtFailureLine = 1015;    // one failed logger of a report
inline constexpr int kFmtRecordingNote = 1016;  // the report's note on recording loggers
inline constexpr int kMsgRecording = 1017;
inline constexpr int kStrHistoryBlank = 1018;  // the history list's first column
inline constexpr int kStrHistoryDateTime = 1019;
inline constexpr int kStrChannel = 1020;  // "Ch."
inline constexpr int kStrHistoryPoints = 1021;
inline constexpr int kStrHistoryBeforeAfter = 1022;
inline constexpr int kStrOnePointAdjustment = 1023;
inline constexpr int kStrTwoPointAdjustment = 1024;
inline constexpr int kMsgHistoryReadFailed = 1025;
inline constexpr int kFmtTenthsPair = 1026;
inline constexpr int kMsgInitialised = 1027;
inline constexpr int kFmtInitialiseLine = 1028;  // history log lines
inline constexpr int kStrInitialiseWord = 1029;
inline constexpr int kFmtTextOnePointLine = 1030;
inline constexpr int kStrOnePointWord = 1031;
inline constexpr int kStrTwoPointWord = 1032;
inline constexpr int kFmtTextTwoPointLine = 1033;
inline constexpr int kFmtTenthsOnePointLine = 1034;
inline constexpr int kFmtTenthsTwoPointLine = 1035;
inline constexpr int kMsgHistorySaveFailed = 1036;
inline constexpr int kMsgCommBusy = 1037;
inline constexpr int kMsgSlopeLimit = 1038;
inline constexpr int kMsgOffsetLimit = 1039;
inline constexpr int kStrNoChange = 1040;
inline constexpr int kMsgConfirmTwoChannels = 1041;  // channels 1 and 2
inline constexpr int kMsgConfirmChannels3And4 = 1042;
inline constexpr int kFmtTextPair = 1043;
inline constexpr int kMsgSlopeMustNotBeZero = 1044;
inline constexpr int kMsgNoLogger = 1045;
inline constexpr int kMsgSeveralLoggers = 1046;
inline constexpr int kStrLanguageNumber = 1047;  // the interface language; 0 is Japanese
inline constexpr int kMsgNotConnected = 1048;
inline constexpr int kMsgReceiveFailed = 1049;
inline constexpr int kMsgAdjustmentFinished = 1050;
inline constexpr int kMsgInvalidInput = 1051;
inline constexpr int kMsgSlopeIsZero = 1052;
inline constexpr int kMsgSlopeRange = 1053;
inline constexpr int kMsgOffsetLimit30C = 1054;
inline constexpr int kStrMilliampere = 1055;
inline constexpr int kStrVolt = 1056;
inline constexpr int kStrTemperature = 1058;
inline constexpr int kStrCurrentLoop = 1059;
inline constexpr int kStrVoltage = 1060;
inline constexpr int kStrCo2Sensor = 1062;
inline constexpr int kMsgInvalidRange = 1063;
inline constexpr int kMsgConfirmOneChannel = 1064;  // channel 1
inline constexpr int kMsgConfirmChannels2And3 = 1065;
inline constexpr int kMsgOffsetLimit50 = 1070;
inline constexpr int kMsgOffsetLimit30 = 1071;
inline constexpr int kMsgSlopeRangeNoise = 1072;
inline constexpr int kMsgOffsetLimit3 = 1073;
inline constexpr int kStrDecibel = 2000;
inline constexpr int kStrNoiseVibration = 2001;

// The adjustment journal: its window, its record text and the certificate.
inline constexpr int kStrJournalMenu = 3000;
inline constexpr int kMsgJournalWriteFailed = 3001;
inline constexpr int kStrJournalTitle = 3002;
inline constexpr int kStrExportCsv = 3003;
inline constexpr int kStrCertificatePdf = 3004;
inline constexpr int kStrVerifyJournal = 3005;
inline constexpr int kMsgChainIntact = 3006;
inline constexpr int kMsgChainBroken = 3007;
inline constexpr int kStrSerialNumber = 3010;
inline constexpr int kStrModel = 3011;
inline constexpr int kStrPeriod = 3012;
inline constexpr int kStrOutcome = 3013;
inline constexpr int kStrAll = 3014;
inline constexpr int kStrWholeDay = 3015;
inline constexpr int kMsgSelectRecord = 3016;
// A shared (PostgreSQL) journal chosen where the program has no driver for it.
inline constexpr int kMsgSharedJournalLinuxOnly = 3017;
inline constexpr int kStrDateTime = 3020;
inline constexpr int kStrOperator = 3021;
inline constexpr int kStrOperation = 3022;
inline constexpr int kStrBaseUnit = 3023;
inline constexpr int kStrLogger = 3024;
inline constexpr int kStrAsFound = 3025;
inline constexpr int kStrAsLeft = 3026;
inline constexpr int kStrPointsEntered = 3027;
inline constexpr int kStrEnteredCorrection = 3028;
inline constexpr int kStrCorrectionToWrite = 3029;
inline constexpr int kStrOperationSend = 3030;
inline constexpr int kStrOperationReceive = 3031;
inline constexpr int kStrOperationInitialise = 3032;
inline constexpr int kStrTempUnit = 3033;
inline constexpr int kStrProgram = 3034;
inline constexpr int kStrHistoryEntries = 3035;
inline constexpr int kStrChainValue = 3036;
inline constexpr int kStrOutcomeSuccess = 3040;
inline constexpr int kStrOutcomeCancelled = 3041;
inline constexpr int kFmtOutcomeFailure = 3042;  // message and code
inline constexpr int kStrOutcomeFailed = 3043;
inline constexpr int kStrCertificateTitle = 3050;
inline constexpr int kStrLaboratory = 3051;
inline constexpr int kStrAdjustmentDate = 3052;
inline constexpr int kStrChannelHeading = 3053;
inline constexpr int kStrLimits = 3054;
inline constexpr int kStrVerdict = 3055;
inline constexpr int kStrPass = 3056;
inline constexpr int kStrFail = 3057;
inline constexpr int kStrCalibratedBy = 3058;
inline constexpr int kStrApprovedBy = 3059;
inline constexpr int kFmtLimits = 3060;
inline constexpr int kStrRecordNumber = 3061;
inline constexpr int kStrCorrectionAsFound = 3062;
inline constexpr int kStrCorrectionAsLeft = 3063;
inline constexpr int kStrReferencePoints = 3064;
inline constexpr int kFmtOutcomeRefused = 3065;  // message only
inline constexpr int kStrCertificateNumber = 3066;
inline constexpr int kStrCustomer = 3067;
inline constexpr int kStrAddress = 3068;
inline constexpr int kStrReferences = 3069;
inline constexpr int kFmtReference = 3070;
inline constexpr int kStrExpired = 3071;
inline constexpr int kStrNoneRecorded = 3072;
inline constexpr int kStrAmbient = 3073;
inline constexpr int kStrUncertainty = 3074;
inline constexpr int kStrChainDigest = 3075;
inline constexpr int kStrRowsCovered = 3077;
inline constexpr int kStrConditionsMenu = 3078;
inline constexpr int kStrReferencesInUse = 3079;
inline constexpr int kStrAmbientTemperature = 3080;
inline constexpr int kStrRelativeHumidity = 3081;
inline constexpr int kMsgReferenceExpired = 3082;
inline constexpr int kStrRegister = 3083;
inline constexpr int kStrRetire = 3084;
inline constexpr int kStrId = 3085;
inline constexpr int kStrDescription = 3086;
inline constexpr int kStrCalibratedOn = 3087;
inline constexpr int kStrDue = 3088;
inline constexpr int kMsgInputRefused = 3089;
inline constexpr int kStrDrift = 3090;
inline constexpr int kStrSlope = 3091;
inline constexpr int kStrOffset = 3092;
inline constexpr int kStrDriftAsFound = 3093;
inline constexpr int kStrDriftAsLeft = 3094;
inline constexpr int kStrSavePng = 3095;
inline constexpr int kStrSaveCsv = 3096;

// The base-unit pages.
// A write failed and what the logger holds could not be told.
inline constexpr int kMsgLoggerStateUnknown = 3100;

// The direct-USB pages: the correction is in the logger, its history is not.
inline constexpr int kMsgWrittenHistoryIncomplete = 3120;

// The journal's errors (journal::JournalError): each %s is a value of the error.
inline constexpr int kMsgGivenReason = 3200;  // a reason the database or the system gave, as given
inline constexpr int kMsgJournalNoDataFolder = 3202;
inline constexpr int kMsgJournalDriverMissing = 3203;  // the engine's name
inline constexpr int kMsgJournalPasswordGiven = 3204;
inline constexpr int kMsgJournalNoWal = 3205;
inline constexpr int kMsgJournalNotOpen = 3206;
inline constexpr int kMsgJournalSchemaUnreadable = 3207;
inline constexpr int kMsgJournalNewerSchema = 3208;
inline constexpr int kMsgJournalBadRole = 3209;
inline constexpr int kMsgAmbientForm = 3210;
inline constexpr int kMsgAmbientOutOfRange = 3211;
inline constexpr int kMsgHumidityOutOfRange = 3212;
inline constexpr int kMsgReferenceIdLength = 3213;
inline constexpr int kMsgReferenceIdCharacters = 3214;
inline constexpr int kMsgReferenceNoCertificate = 3215;
inline constexpr int kMsgReferenceTextTooLong = 3216;
inline constexpr int kMsgReferenceBadCalibrated = 3217;
inline constexpr int kMsgReferenceBadDue = 3218;
inline constexpr int kMsgReferenceDueBeforeCalibrated = 3219;
inline constexpr int kMsgReferenceRetiredId = 3220;
inline constexpr int kMsgReferenceNotRegistered = 3221;
inline constexpr int kMsgReferenceAlreadyRetired = 3222;
inline constexpr int kMsgSealChainBroken = 3224;
inline constexpr int kMsgSealRowMissing = 3225;
inline constexpr int kMsgSealRowsDiffer = 3226;
inline constexpr int kMsgSealNumberUnknown = 3227;
inline constexpr int kMsgSealNotInFile = 3228;
inline constexpr int kMsgNoAdjustmentSelected = 3229;
inline constexpr int kMsgPdfNeedsWindow = 3230;
inline constexpr int kMsgNoPdfWriter = 3231;
inline constexpr int kMsgChartNotDrawn = 3232;
// The store's own failures: the last %s is the reason the database or the
// system gave.
inline constexpr int kMsgJournalCannotOpen = 3240;
inline constexpr int kMsgJournalCannotRead = 3241;
inline constexpr int kMsgJournalCannotAppend = 3242;
inline constexpr int kMsgJournalCannotMigrate = 3243;
inline constexpr int kMsgJournalCannotGrant = 3244;   // the role, the reason
inline constexpr int kMsgFileNotWritten = 3245;       // the path, the reason
inline constexpr int kMsgReferenceNotRecorded = 3246;
inline constexpr int kMsgCertificateNumberTaken = 3260;
inline constexpr int kMsgCertificateReplacesUnknown = 3261;
inline constexpr int kMsgCertificateNoNumber = 3262;
inline constexpr int kMsgCertificateTooLarge = 3263;
inline constexpr int kMsgCertificateRegisterMalformed = 3264;
inline constexpr int kMsgDueEntryMalformed = 3265;
inline constexpr int kMsgDueDaysOutOfRange = 3266;
inline constexpr int kMsgDueModelTwice = 3267;
inline constexpr int kMsgDueIntervalsTooLong = 3268;
inline constexpr int kStrReferenceFilter = 3269;
inline constexpr int kStrDueButton = 3270;
inline constexpr int kStrDueTitle = 3271;
inline constexpr int kStrDueWithin = 3272;
inline constexpr int kStrLastVisit = 3273;
inline constexpr int kStrDueDate = 3274;
inline constexpr int kStrDaysLeft = 3275;
inline constexpr int kStrNoLoggerDue = 3276;
inline constexpr int kMsgDueIntervalsSetting = 3277;

// A calibration certificate's texts and refusals.
inline constexpr int kStrIssueDate = 3300;
inline constexpr int kStrCalibrationDates = 3301;
inline constexpr int kStrReceiptDate = 3302;
inline constexpr int kStrPlaceOfWork = 3303;
inline constexpr int kStrAtLaboratory = 3304;
inline constexpr int kFmtOnSite = 3305;
inline constexpr int kStrMethod = 3306;
inline constexpr int kStrItemCondition = 3307;
inline constexpr int kStrAsReceived = 3308;
inline constexpr int kStrResults = 3309;
inline constexpr int kStrReferenceValue = 3310;
inline constexpr int kStrReadingAsFound = 3311;
inline constexpr int kStrErrorAsFound = 3312;
inline constexpr int kStrErrorAsLeft = 3313;
inline constexpr int kStrExpandedUncertainty = 3314;
inline constexpr int kStrNotEvaluated = 3315;
inline constexpr int kFmtCoverage = 3316;
inline constexpr int kStrAsLeftFootnote = 3317;
inline constexpr int kStrUncertaintyNotEvaluated = 3318;
inline constexpr int kStrConformity = 3319;
inline constexpr int kStrRuleSimple = 3320;
inline constexpr int kStrRuleGuardBanded = 3321;
inline constexpr int kFmtConformity = 3322;
inline constexpr int kStrConforms = 3323;
inline constexpr int kStrDoesNotConform = 3324;
inline constexpr int kStrNoConformity = 3325;
inline constexpr int kStrOnlyItemStatement = 3326;
inline constexpr int kStrReproductionStatement = 3327;
inline constexpr int kStrEndOfCertificate = 3328;
inline constexpr int kStrAuthorisedBy = 3329;
inline constexpr int kStrRole = 3330;
inline constexpr int kFmtCertificatePage = 3331;
inline constexpr int kStrReplaces = 3332;
inline constexpr int kStrReadBack = 3333;
inline constexpr int kStrConfirmed = 3334;
inline constexpr int kStrNotConfirmed = 3335;
inline constexpr int kStrUnitNotRecorded = 3336;
inline constexpr int kStrItem = 3337;
inline constexpr int kStrDataLogger = 3338;
inline constexpr int kStrCoversAsLeft = 3339;
inline constexpr int kMsgCertificateNoLab = 3340;
inline constexpr int kMsgCertificateNoLabAddress = 3341;
inline constexpr int kMsgCertificateNoMethod = 3342;
inline constexpr int kMsgCertificateNoApprover = 3343;
inline constexpr int kMsgCertificateNoCustomer = 3344;
inline constexpr int kMsgCertificateNoSiteAddress = 3345;
inline constexpr int kMsgCertificateBadPlace = 3346;
inline constexpr int kMsgCertificateBadRule = 3347;
inline constexpr int kMsgStatedFigureUnreadable = 3348;
inline constexpr int kMsgCertificateNoUncertainty = 3349;
inline constexpr int kMsgCertificateNoUnit = 3350;
inline constexpr int kMsgCertificateBadReceipt = 3351;
inline constexpr int kMsgCertificateReplacesOther = 3353;
inline constexpr int kMsgDccNotWritten = 3354;
inline constexpr int kMsgCertificateAlreadyReplaced = 3355;
inline constexpr int kMsgCertificatePointUnreadable = 3356;
inline constexpr int kStrCertificateDcc = 3357;
inline constexpr int kStrQuantityTemperature = 3358;
inline constexpr int kStrQuantityHumidity = 3359;
inline constexpr int kStrQuantityVoltage = 3360;
inline constexpr int kStrQuantityCurrent = 3361;
inline constexpr int kStrQuantitySound = 3362;
inline constexpr int kStrQuantityIlluminance = 3363;
inline constexpr int kStrQuantityUv = 3364;
inline constexpr int kStrQuantityCo2 = 3365;
inline constexpr int kStrQuantityOther = 3366;
inline constexpr int kStrAdjustmentsMade = 3367;

}  // namespace strings

namespace cli_text {

enum Id : int {
    Usage = 4000,
    HelpList = 4001,
    HelpRead = 4002,
    HelpAdjust = 4003,
    HelpInitialise = 4004,
    HelpBatch = 4005,
    HelpHistory = 4006,
    OptPair = 4007,
    BadPair = 4008,
    PairNeeded = 4009,
    NoHistory = 4010,
    OptSerial = 4011,
    OptPort = 4012,
    OptJson = 4013,
    OptYes = 4014,
    OptDryRun = 4015,
    OptChannel = 4016,
    OptPoint = 4017,
    OptUnit = 4018,
    OptInputKind = 4019,
    OptKeepGoing = 4020,
    OptLan = 4021,
    OptLogin = 4022,
    AnsweredYes = 4023,
    YesNoPrompt = 4024,
    UnknownCommand = 4025,
    UnknownModel = 4026,
    MissingModel = 4027,
    ExtraArguments = 4028,
    BadChannel = 4029,
    MissingChannel = 4030,
    BadPoint = 4031,
    PointCount = 4032,
    ReadingTooLong = 4033,
    FixedReading = 4034,
    BadUnit = 4035,
    BadSerial = 4036,
    BadPort = 4037,
    SerialNotForModel = 4038,
    PortNotForModel = 4039,
    DryRunWithYes = 4040,
    InputKindNotForModel = 4041,
    BadInputKind = 4042,
    NoLoggerOfModel = 4043,
    NoLoggerNamed = 4044,
    SeveralLoggers = 4045,
    WithinLimits = 4046,
    ToWrite = 4047,
    DryRunNothingWritten = 4048,
    DryRunNoInitialise = 4049,
    CannotReadFile = 4050,
    BatchLine = 4051,
    BatchHeader = 4052,
    BatchEmpty = 4053,
    BatchTooLarge = 4054,
    BatchFieldCount = 4055,
    BatchMissingReading = 4056,
    BatchHalfSecondPoint = 4057,
    SummaryRow = 4058,
    SummaryLogger = 4059,
    SummaryChannel = 4060,
    SummaryResult = 4061,
    SummaryDone = 4062,
    SummaryFailed = 4063,
    NotRun = 4064,
    ListModel = 4065,
    ListSerial = 4066,
    ListCom = 4067,
    ListVia = 4068,
    ListNone = 4069,
    BadLan = 4070,
    MissingLogin = 4071,
    LanFailed = 4072,
    UnknownLogger = 4073,
    HelpJournal = 4074,
    HelpCertificate = 4075,
    OptSince = 4076,
    OptModel = 4077,
    OptCsv = 4078,
    OptDate = 4079,
    OptOut = 4080,
    OptLanLogger = 4081,
    BadDate = 4082,
    CsvWithJson = 4083,
    JournalUnreadable = 4084,
    JournalNone = 4085,
    JournalColumns = 4086,
    MissingSerial = 4087,
    MissingOut = 4088,
    NoRecordFor = 4089,
    CertificateWritten = 4090,
    CertificateFailed = 4091,
    LanWithSerial = 4092,
    LanNotForModel = 4093,
    // The reference register and the conditions of the work.
    HelpReference = 4094,
    OptReference = 4095,
    OptAllowExpired = 4096,
    OptAmbient = 4097,
    OptDescription = 4098,
    OptCertificateNumber = 4099,
    OptCalibrated = 4100,
    OptDue = 4101,
    OptCertificateFile = 4102,
    OptCustomer = 4103,
    OptDrift = 4104,
    ReferenceUsage = 4105,
    ReferenceAdded = 4106,
    ReferenceRetired = 4107,
    ReferenceRefused = 4108,
    ReferenceUnknown = 4109,
    ReferenceWasRetired = 4110,
    ReferenceExpired = 4111,
    ReferenceTooMany = 4112,
    ReferenceColumns = 4113,
    ReferenceNone = 4114,
    BadAmbient = 4115,
    BatchRowConditions = 4116,
    HelpVerify = 4117,
    VerifyIntact = 4118,
    VerifyBroken = 4119,
    CertificateMatches = 4120,
    CertificateDiffers = 4121,
    OptJobs = 4122,
    BadJobs = 4123,
    PortBusy = 4124,
    TimeLeft = 4125,
    Interrupted = 4126,
    WorkerLost = 4127,
    WorkerNotStarted = 4128,
    // The journal's maintenance: another journal, CSV export, the writer role.
    OptJournalSqlite = 4129,
    OptJournalPostgres = 4130,
    OneJournal = 4131,
    HelpExportCsv = 4132,
    ExportCsvUsage = 4133,
    CsvWritten = 4134,
    CsvNotWritten = 4135,
    HelpGrantWriter = 4136,
    GrantWriterUsage = 4137,
    GrantNeedsPostgres = 4138,
    GrantFailed = 4139,
    GrantDone = 4140,
    // What a page operation left in the logger when it failed.
    LoggerNowHolds = 4141,
    LoggerStateUnknown = 4142,
    WrittenHistoryIncomplete = 4143,
    SummaryWrittenIncomplete = 4144,
    // Reverse traceability and the list of loggers due.
    OptRelyingOn = 4145,
    BadReferenceId = 4146,
    CertificatesRelying = 4147,
    CertificatesNone = 4148,
    CertificateColumns = 4149,
    HelpJournalDue = 4150,
    OptWithin = 4151,
    BadWithin = 4152,
    DueIntervalsBad = 4153,
    DueNone = 4154,
    DueColumns = 4155,
    // A certificate's options and its refusal.
    OptCustomerAddress = 4156,
    OptApprover = 4157,
    OptApproverRole = 4158,
    OptCondition = 4159,
    OptReceiptDate = 4160,
    OptNoUncertainty = 4161,
    OptDcc = 4162,
    OptReplaces = 4163,
    CertificateNotIssued = 4164,
};

// The block's first and last id; every id between has a text.
inline constexpr Id kFirst = Usage;
inline constexpr Id kLast = CertificateNotIssued;

}  // namespace cli_text
}  // namespace tb::resources

#pragma once
// The core's error messages as an identity and its arguments, rendered in either
// language from one table, so each front-end shows them in its own language.

#include "project/Language.h"

#include <memory>
#include <string>
#include <vector>

namespace penumbro {

enum class ErrorId {
    Plain,  // a finished text (already in the language it was made for)
    // Words used inside other messages.
    WordHouse, WordTree, WordLatitude, WordLongitude, WordTimeZone,
    WordGlobalHorizontal, WordDirectNormal, WordDiffuseHorizontal,
    WordHourlyMean, WordSkyValue, WordGroundValue,
    MonthName,  // month number 1..12
    // Files.
    ReadDirectory,
    CannotOpen,   // reason
    CannotRead,
    CannotWrite,  // reason
    CannotWriteFile,
    CannotCreateFolder,  // reason
    FileExists,
    // The project text.
    TextEndsEarly,
    SurfaceCountNotInteger,  // quoted line
    SurfaceCountRange,       // maximum, count
    VertexCountNotInteger,   // quoted name, quoted line
    VertexCountRange,        // quoted name, count
    VertexNotThreeNumbers,   // vertex number, quoted name, quoted line
    CoordinateRange,         // quoted line
    TreeTooLong,
    HouseTooLong,
    EndsBeforeSurfaceCount,
    EndsBeforeSurfaceName,
    EndsBeforeVertexCount,   // quoted name
    EndsBeforeVertex,        // quoted name
    FoliageLine,             // the line
    ReflectanceLine,         // the line
    SiteLine,                // the line
    LatitudeRange,           // limit, value
    LongitudeRange,          // limit, value
    CorrectionRange,         // limit, value
    HorizonEntryForm,        // quoted line
    HorizonEntryRange,       // quoted line
    // Texts that are no project, UTF-8 project texts, overhangs that cannot shade.
    NotAProject,             // line number, reason
    SurfaceCountNoInteger,
    ProjectTextUtf8,
    Utf8CharacterNotHeld,    // the character
    OverhangBehindTarget,
    SiteLineMissing,
    SiteLineValues,          // the line
    ReflectanceLineMissing,
    ReflectanceLineValues,   // the line
    // Generated blocks read back.
    ParameterLineMissing,    // word
    ParameterLineNumbers,    // word, count, the line
    FoliageLineMissing,
    FoliageNotPercentages,   // the line
    CornerCount,             // the line
    CornerLine,              // the line
    PlacementLine,           // the line
    OverhangNameLine,        // the line
    LacksParameterLine,      // word
    NumberNotDrawable,       // quoted line
    // Editing.
    ObjectMissing,           // number, object count
    TooManySurfaces,         // maximum
    SurfaceCountBelowZero,
    NotOneObject,
    NotOneObjectBecause,     // message
    OverhangOwner,           // the line, owner number
    TargetNoObject,          // number
    TargetNotPlain,          // number
    SiteFieldRange,          // word or name, value, min, max
    MonthPercentRange,       // month, value
    HorizonTooMany,
    ScheduleSize,            // bytes
    ScheduleByte,            // byte number, value
    ScheduleMonth,           // month number, value
    // Models imported into the scene and the scene exported.
    ModelFormatUnknown,      // extension
    ModelEmpty,
    ModelUnreadable,         // format name
    ModelMeshUnreadable,     // the reader's message
    ModelIndexListNotNumbers,  // the element's name
    ModelNoFaces,
    ModelNothingWithin,      // radius
    ModelTooManySurfaces,    // surfaces to add, surfaces present, maximum
    ModelOptionRange,        // option, value
    SceneNoSurfaces,
    SceneExportFailed,       // the writer's message
    ImportAzimuthNotNumber,  // where
    ImportElevationNotNumber,  // where
    ImportAzimuthRange,      // where, value, range
    ImportElevationRange,    // where, value
    ImportNotRising,         // where
    ImportNoRows,
    ImportNotPoint,          // the line
    ImportColumns,           // count
    ImportNoHeader,
    NotJson,
    JsonNoProfile,
    // Horizon profiles and the horizon panel.
    JsonNumberRange,         // the number as written
    HorizonTooManyToEdit,    // entry count
    // Run parameters.
    ParameterFileSize,       // expected bytes, actual bytes
    ParameterFieldRange,     // key, offset, value, range
    RunParameterRange,       // key, offset, value, range
    // The end of a fast run: what the files hold, where they went.
    RunCancelledCoverage,    // last day, report file, mean-value file, first day, last day
    RunFilesWritten,         // report file, mean-value file, folder
    UnknownParameter,        // key
    ParameterNotFlag,        // key, value
    ParameterNotInteger,     // key, value
    ParameterNotNumber,      // key, value
    ParameterOutside,        // key, value, range
    // Result files.
    ReportFieldCount,        // count
    ReportFieldsDiffer,      // count, first count
    FieldNotWholeNumber,     // field number, text
    ReportFieldNotNumber,    // field number, text
    DayRange,                // day
    TimeRange,               // hour, minute
    ShadingRange,            // value
    ReportEmpty,
    MitEmpty,
    MitUnreadable,           // word, text
    MitMeanRange,            // text
    MitMonthUnreadable,      // text
    MitMonthRange,           // text
    MitBlockShort,
    ExportDefective,         // message
    SamNeedsMonthly,
    SamNeedsTwelve,          // missing months
    NoTargetSurface,
    TargetSeesNoSky,
    ExportSingleInstant,
    ExportStep,              // minutes
    ExportAfterYear,
    ExportExpected,          // day, time, day, time
    ExportReportEnds,        // day, time
    NotExchangeFormat,
    // Checked reading of report and mean-value files; export targets.
    MitLineLong,             // limit
    MitBlankLines,
    MitHourExpected,         // hour
    MitHeadingExpected,      // month
    MitDailyOneBlock,
    MitMonthOrder,           // month, expected month
    MitTooManyMonths,
    MitHeadingForm,
    MitDiffuseForm,
    MitDiffuseDaily,
    MitDiffuseEvery,
    MitFactorRange,          // word, text
    ReportFactorRange,       // field number, text
    ReportStepOrder,         // step, expected step
    ReportComplement,        // field number, text, field number
    ReportTimeOrder,         // day, time, previous day, previous time
    ExportOutputIsInput,     // input file
    // Weather files.
    WeatherHeaderShort,
    WeatherLocation,
    WeatherSiteValue,        // word, limit, text
    WeatherTooManyRows,
    WeatherFieldCount,       // count
    FieldNotNumber,          // field number, text
    WeatherOrder,            // month, day, hour
    IrradiationMissing,      // word, field number
    IrradiationNegative,     // word, field number
    WeatherRowsShort,        // count
    // Weather files: leap days, values beyond the format, short headers.
    WeatherLeapDaySkipped,
    WeatherLeapDayHours,     // hour
    IrradiationRange,        // word, field number, value
    WeatherHeaderRow,        // header lines found
    // Command-line arguments.
    ObjectNumberMissing,     // argument
    CliNotTarget,            // argument
    CliNoTarget,
    OverhangKeepsTarget,     // number
    ReflectanceCount,        // count
    ArgumentNotNumber,       // field, text
    ArgumentNotWhole,        // field, text
    BeforeMissing,           // number, object count
    HorizonArgumentsTooMany,
    HorizonArgument,         // interval number, text
    FieldTargetFlag,         // text
    FieldUnknown,            // field
    FieldCornerPairs,        // text
    FieldUvRectangle,
    FieldFoliageCount,       // count
    // Commands ended by a signal.
    CommandCancelled,        // signal number
    Count  // the number of identities; keep it last
};

struct ErrorMessage;

// An argument: a text as it stands (numbers, quoted lines, paths), or a message of
// its own rendered in the same language (a word, a reason).
struct ErrorArg {
    std::string text;
    std::shared_ptr<const ErrorMessage> message;

    ErrorArg(std::string t) : text(std::move(t)) {}   // NOLINT: any text is an argument
    ErrorArg(const char* t) : text(t) {}              // NOLINT
    ErrorArg(ErrorId word);                           // NOLINT: a word without arguments
    ErrorArg(ErrorMessage inner);                     // NOLINT
};

// One message: its identity and arguments (Windows-1252 bytes; paths as given).
struct ErrorMessage {
    ErrorId id = ErrorId::Plain;
    std::vector<ErrorArg> args;  // for Plain, the text itself

    ErrorMessage() = default;
    ErrorMessage(std::string text) { args.emplace_back(std::move(text)); }  // NOLINT: any text is a message
    ErrorMessage(const char* text) { args.emplace_back(text); }             // NOLINT
    ErrorMessage(ErrorId identity, std::vector<ErrorArg> arguments = {})
        : id(identity), args(std::move(arguments)) {}

    // The text in the language (Windows-1252); English is the text the core has
    // always written.
    std::string render(Language language) const;
};

}  // namespace penumbro

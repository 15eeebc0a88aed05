// One creation page: a stretch of the waveform (start .. end, in samples)
// described either by a standard shape with a few parameters or by a formula
// Y = f(x) with its own constants. Positions and lengths are samples and
// levels are codes, whatever units the user sees; the windows and the page
// file convert.
#ifndef ZW_CREATE_PAGERECORD_H
#define ZW_CREATE_PAGERECORD_H

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace zw::create {

enum class PageType : int16_t {
    Sine = 0,
    Triangle = 1,
    Square = 2,
    Noise = 3,
    DcLevel = 4,
    Expression = 5
};
inline constexpr int kPageTypeCount = 6;

// A type number of a file or a list index; nothing for numbers that name no type.
std::optional<PageType> PageTypeFromNumber(int number);

// The eight parameters in the order of the parameter boxes Text_0 .. Text_7
// and of the page file.
enum class PageParameter { Offset = 0, Size, Amplitude, Cycles, Phase, Symmetry, Duty, Transition };
inline constexpr int kParameterCount = 8;

// Whether a page of `type` uses the parameter (and shows its box): offset and
// size for every standard type, amplitude for all but the level, cycles and
// phase for the periodic shapes, symmetry for the triangle, duty and
// transition for the square. Expression pages use none of them.
bool UsesParameter(PageType type, PageParameter parameter);

// Text limits of the page file's reader, in bytes of the UTF-8 text.
inline constexpr int kConstantsCapacity = 944;
inline constexpr int kExpressionCapacity = 1024;

// Values of a cleared page.
inline constexpr double kFullScaleAmplitude = 65534.0;

struct PageRecord {
    int16_t PageNumber = 0;
    bool Visited = false;
    bool Effective = false;
    PageType Type = PageType::Sine;
    // Counts the changes of the page; with ComputedRevision it tells whether
    // the work memory holds the page as it stands.
    int32_t Revision = 0;
    double Start = 0.0;
    double End = 0.0;
    double Offset = 0.0;
    double Size = 0.0;
    double Amplitude = kFullScaleAmplitude;
    double Cycles = 1.0;
    double Phase = 0.0;
    double Symmetry = 50.0;
    double Duty = 50.0;
    double Transition = 0.0;
    // The revision last computed into the work memory; -1 when the work
    // memory does not hold this page (another page or a clear came since).
    int64_t ComputedRevision = -1;
    QString Constants;  // lines joined with CR LF, see NormalizedConstants
    QString Expression; // one line

    double parameter(PageParameter which) const;
    void setParameter(PageParameter which, double value);
    std::array<double, kParameterCount> parameters() const;

    // Page Clear: flags off, the parameters and texts back to their
    // defaults; type and stretch stay.
    void clearValues();
    // All Page Clear: as clearValues, and the type becomes sine, the stretch
    // and the offset 0.
    void clearAll();

    // The work memory no longer holds what was computed last.
    bool modified() const { return ComputedRevision != Revision; }
    // A change of any value: counts the revision.
    void touch() { ++Revision; }

    // What the page file and the printed listing hold: every field but the
    // two bookkeeping counters.
    bool sameContents(const PageRecord& other) const;
};

// The constants as the page keeps them: every line trimmed, empty lines left
// out, the lines joined with CR LF, cut to kConstantsCapacity bytes of UTF-8
// at a character boundary.
QString NormalizedConstants(const QString& text);
// The formula as the page keeps it: line breaks and tabs become blanks, the
// text is trimmed and cut to kExpressionCapacity bytes of UTF-8.
QString NormalizedExpression(const QString& text);

} // namespace zw::create

#endif // ZW_CREATE_PAGERECORD_H

#include "SetupListing.h"

#include "CaptionCatalog.h"
#include "CurrentSetting.h"
#include "ListingNumber.h"
#include "TextCodec.h"

namespace zw {
namespace {

constexpr int kUsbTmc = 3;
constexpr int kUserUnit = 2;

QString listItem(const QStringList& list, int index) {
    return index >= 0 && index < list.size() ? list.at(index) : QString();
}

QString outputText(int16_t state) {
    switch (state) {
    case ZW_OUTPUT_ON:
        return QStringLiteral("ON");
    case ZW_OUTPUT_OFF:
        return QStringLiteral("OFF");
    default:
        return QStringLiteral("NO CHANGE");
    }
}

QString range(double minimum, double maximum) {
    return ListingNumber(minimum) + ',' + ListingNumber(maximum);
}

class SetupLines {
public:
    explicit SetupLines(const CaptionCatalog& catalog) : catalog_(catalog) {}
    QString label(const char* key) const {
        return catalog_.caption(u"PrintListing", QString::fromLatin1(key));
    }
    QString unitKind(char axis, int kind) const {
        const int shown = kind >= 0 && kind <= kUserUnit ? kind : 0;
        return catalog_.caption(u"SystemDialog",
                                QStringLiteral("Unit:%1%2").arg(QLatin1Char(axis)).arg(shown));
    }

private:
    const CaptionCatalog& catalog_;
};

ListingBlock systemBlock(const SetupListingSource& s, const SetupLines& t) {
    const DeviceInfo& d = s.info;
    ListingBlock b;
    b.lines.push_back(TitleLine(t.label("SystemSetup")));
    b.lines.push_back(SectionLine(t.label("BasicSetup")));
    b.lines.push_back(ItemLine(t.label("Model"), s.modelName));
    b.lines.push_back(ItemLine(t.label("Interface"), InterfaceText(s.interfaceType)));
    // A USB instrument is found by its serial number, not by a bus address.
    if (s.interfaceType == kUsbTmc)
        b.lines.push_back(ItemLine(t.label("UsbId"), s.serialNumber.trimmed()));
    else
        b.lines.push_back(ItemLine(t.label("GpibAddress"), QString::number(d.Address)));

    b.lines.push_back(SectionLine(t.label("WaveMemorySetup")));
    b.lines.push_back(ItemLine(t.label("MemorySize"), s.memorySizeName));
    if (d.MemoryNameFlag)
        b.lines.push_back(ItemLine(t.label("MemoryName"),
                                   DecodeField(d.MemoryName, sizeof d.MemoryName).trimmed()));
    if (d.MemoryNumberSelectable)
        b.lines.push_back(ItemLine(t.label("MemoryNumber"), QString::number(d.MemoryNumber)));

    b.lines.push_back(SectionLine(t.label("OscillatorSetup")));
    b.lines.push_back(ItemLine(t.label("Channel"), s.channelName));
    b.lines.push_back(ItemLine(t.label("Output"), outputText(d.OutputState)));
    b.lines.push_back(
        ItemLine(t.label("Frequency"), ListingNumber(d.Frequency, kFrequencyDecimals) + " Hz"));
    b.lines.push_back(
        ItemLine(t.label("Period"), ListingNumber(d.Cycle, kFrequencyDecimals) + " sec"));
    b.lines.push_back(ItemLine(t.label("Range"), s.rangeName));
    b.lines.push_back(ItemLine(t.label("Amplitude"), ListingNumber(d.Amplitude) + " Vp-p"));
    b.lines.push_back(ItemLine(t.label("DcOffset"), ListingNumber(d.Offset) + " V"));
    if (d.OffsetSwitchAvailable)
        b.lines.push_back(ItemLine(t.label("OffsetSwitch"), d.OffsetSwitchState
                                                                ? QStringLiteral("ON")
                                                                : QStringLiteral("OFF")));
    return b;
}

ListingBlock unitBlock(const DeviceInfo& d, const SetupLines& t) {
    ListingBlock b;
    b.lines.push_back(TitleLine(t.label("UnitSetup")));
    b.lines.push_back(SectionLine(t.label("XAxisUnit")));
    b.lines.push_back(ItemLine(t.label("XUnit"), t.unitKind('X', d.XUnit)));
    b.lines.push_back(
        ItemLine(t.label("XUnitName"), DecodeField(d.XUnitName, sizeof d.XUnitName).trimmed()));
    b.lines.push_back(ItemLine(t.label("XMinMax"), range(d.XUserStart, d.XUserEnd)));
    b.lines.push_back(SectionLine(t.label("YAxisUnit")));
    b.lines.push_back(ItemLine(t.label("YUnit"), t.unitKind('Y', d.YUnit)));
    b.lines.push_back(
        ItemLine(t.label("YUnitName"), DecodeField(d.YUnitName, sizeof d.YUnitName).trimmed()));
    b.lines.push_back(ItemLine(t.label("YMinMax"), range(d.YUserMin, d.YUserMax)));
    return b;
}

} // namespace

SetupListingSource SetupListingSource::From(const CurrentSetting& setting) {
    SetupListingSource s;
    s.info = setting.info();
    s.interfaceType = setting.interfaceType();
    s.serialNumber = setting.serialNumber();
    s.modelName = setting.modelName();
    const int model = s.info.ModelIndex;
    if (model >= 0 && model < static_cast<int>(setting.models().size())) {
        const ModelLists& lists = setting.models()[static_cast<std::size_t>(model)];
        s.memorySizeName = listItem(lists.memorySizes, s.info.MemorySizeIndex);
        s.channelName = listItem(lists.channels, s.info.ChannelIndex);
        const int channel = s.info.ChannelIndex;
        if (channel >= 0 && channel < static_cast<int>(lists.ranges.size()))
            s.rangeName =
                listItem(lists.ranges[static_cast<std::size_t>(channel)], s.info.RangeIndex);
    }
    return s;
}

QString InterfaceText(int interfaceType) {
    switch (interfaceType) {
    case 0:
        return QStringLiteral("NI GPIB");
    case 1:
        return QStringLiteral("KI GPIB");
    case 3:
        return QStringLiteral("USB(TMC)");
    case 4:
        return QStringLiteral("Simulator");
    case 6:
        return QStringLiteral("USB488");
    case 7:
        return QStringLiteral("LAN(Socket)");
    default:
        return QString::number(interfaceType);
    }
}

Listing BuildSetupListing(const SetupListingSource& source, const CaptionCatalog& catalog) {
    const SetupLines lines(catalog);
    Listing listing;
    listing.blocks.push_back(systemBlock(source, lines));
    listing.blocks.push_back(unitBlock(source.info, lines));
    return listing;
}

} // namespace zw

// The three small windows: the game folder dialog, the missing-picture notice and the running
// notice. Places are in the window's client area.

#include "ui/layout/WidgetRow.h"

namespace fd::layout {

namespace {

using enum Kind;

// clang-format off
constexpr WidgetRow gamePath[] = {
    {TextBox, ctl::frmGamePath::txtGamePath,    noFrame, "",     { 750,  225, 5940,  315}},
    {Label,   "lblGamePath",                    noFrame,
        "Is the above path the correct location of \"Star Trek Voyager Elite Forces\" Game Folder?",
                                                 { 300,  900, 6765, 1065}, {CourierNew, 14.25}, Bold},
    {Button,  ctl::frmGamePath::cmdYes,         noFrame, "&Yes", { 750, 2250, 1515,  465}},
    {Button,  ctl::frmGamePath::cmdNo,          noFrame, "&No",  {5175, 2250, 1515,  465}},
    {Label,   "lblDefaultPath",                 noFrame,
        "Default Path is:   \"C:\\Program Files\\Raven\\Star Trek Voyager Elite Force\\\"",
                                                 {1200, 2850, 5415,  315}},
};

constexpr WidgetRow errorMap[] = {
    {Label,   "lblMapFileMissing",              noFrame, "The JPG for this map is missing!!!",
                                                 { 450,    0, 2715,  240}, {ComicSansMS, 8.25}, Bold},
    {Label,   "Label1",                         noFrame,
        "Please add a JPG for this map or use UNKNOWN.JPG in the map.ini file",
                                                 { 300,  300, 3165,  540}, {ComicSansMS, 8.25}, Bold},
    {Button,  ctl::frmErrorMap::cmdOk,          noFrame, "&OK", { 750,  900, 2040,  390}},
};

// The runs of spaces push each sentence onto its own line in the label's width.
constexpr WidgetRow running[] = {
    {Label,   "lblAlreadyRunning",              noFrame,
        "There is a copy of this program Running.    This copy will close.           "
        "If you still cannot see the Fragdocker Screen use <alt><tab> to locate it.",
                                                 { 150,    0, 2790,  915}},
    {Button,  ctl::frmFragdockerRunning::cmdOk, noFrame, "&Ok", { 600, 1050, 1665,  390}},
};
// clang-format on

static_assert(wellFormed(gamePath));
static_assert(wellFormed(errorMap));
static_assert(wellFormed(running));

} // namespace

std::span<const WidgetRow> gamePathDialogRows() {
    return gamePath;
}
std::span<const WidgetRow> errorMapNoticeRows() {
    return errorMap;
}
std::span<const WidgetRow> runningNoticeRows() {
    return running;
}

} // namespace fd::layout

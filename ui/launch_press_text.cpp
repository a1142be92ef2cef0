#include "ui/launch_press_text.h"

#include "resources/resource.h"
#include "texts/main_dialog_texts.h"
#include "ui/main_dialog_rules.h"

namespace qv {

namespace {

namespace texts = main_dialog_texts;

std::wstring Label(int id) {
    for (const texts::ControlText& control : texts::FixedControlTexts)
        if (control.id == id) return control.text.english;
    return L"";
}

std::wstring Check(int id, int checked) {
    return Label(id) + (checked ? L" on" : L" off");
}

// A radio group with none of its radios checked reads as neither choice.
std::wstring Dimensions(Dimension dimension) {
    switch (dimension) {
    case Dimension::TwoD:
        return L"2D";
    case Dimension::ThreeD:
        return L"3D";
    }
    return L"no dimension";
}

std::wstring Mode(const LaunchPress& press) {
    const LaunchOptions& o = press.options;
    switch (o.processingMode) {
    case ProcessingMode::Parallel:
        return Label(IDC_PARALLEL) + L", " + Label(IDC_PROCESSES_LABEL) + L" " +
               std::to_wstring(o.processCount);
    case ProcessingMode::Serial:
        return ShowsOneCoreParallel(press.fluentEntry) ? texts::OneCoreParallel.english
                                                       : texts::Serial.english;
    }
    return L"no processing option";
}

std::wstring Link(MatlabLink link) {
    switch (link) {
    case MatlabLink::Static:
        return Label(IDC_STATIC_LINK);
    case MatlabLink::Dynamic:
        return Label(IDC_DYNAMIC_LINK);
    }
    return L"no link";
}

} // namespace

std::wstring LaunchPressLogText(const LaunchPress& press) {
    const LaunchOptions& o = press.options;
    const std::wstring fluent = press.fluentFolder.empty() ? std::wstring(L"(no folder)")
                                                           : L"(" + press.fluentFolder + L")";
    // Workbench asks for the dimension, precision and processes itself.
    std::wstring text = L"OK: ";
    if (!o.startByWorkbench)
        text += Dimensions(o.dimension) + L", " + Check(IDC_DOUBLE_PRECISION, o.doublePrecision) +
                L", " + Mode(press) + L", ";
    text += Check(IDC_CHINESE_FLUENT, press.chineseFluent) + L", " +
            Check(IDC_START_BY_WORKBENCH, o.startByWorkbench) + L"; " +
            Check(IDC_CALL_COOLPROP, o.callCoolProp) + L", " +
            Check(IDC_CALL_FORTRAN, o.callIntelFortran) + L", " +
            Check(IDC_CALL_MATLAB, o.callMatlab);
    if (o.callMatlab) text += L" (" + Link(o.linkMode) + L")";
    text += L"; " + Label(IDC_FLUENT_GROUP) + L": " + press.fluentEntry + L" " + fluent + L"; " +
            Label(IDC_VS_GROUP) + L": " + press.visualStudio;
    if (o.callMatlab) text += L"; " + Label(IDC_MATLAB_LABEL) + L": " + press.matlab;
    return text;
}

} // namespace qv

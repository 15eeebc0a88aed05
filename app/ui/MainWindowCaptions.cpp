#include "MainWindowCaptions.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

#include <iterator>

namespace zw {

namespace {

// clang-format off
constexpr Caption kCaptions[] = {
    {"Menu_File", "ﾌｧｲﾙ(&F)", "&File"},
    {"Menu_FileNew", "新規作成(&N)", "&New"},
    {"Menu_FileOpen", "開く(&O)...", "&Open..."},
    {"Menu_FileSave", "上書き保存(&S)", "&Save"},
    {"Menu_FileSaveAs", "保存(独自形式)(&A)...", "Save &As(WDB)..."},
    {"Menu_FileSaveAs2", "保存(ﾃｷｽﾄ形式)(&T)...", "Save As(&TXT)..."},
    {"Menu_FileImport", "ｲﾝﾎﾟｰﾄ(&I)...", "Import(&I)..."},
    {"Menu_Print", "印刷(&P)...", "&Print..."},
    {"Menu_Exit", "終了(&X)", "&Exit"},
    {"Menu_Edit", "編集(&E)", "&Edit"},
    {"Menu_Cut", "切り取り(&T)", "Cu&t"},
    {"Menu_Copy", "ｺﾋﾟｰ(&C)", "&Copy"},
    {"Menu_Paste", "貼り付け(&P)", "&Paste"},
    {"Menu_Delete", "削除(&D)", "&Delete"},
    {"Menu_Tools", "ﾂｰﾙ(&T)", "&Tools"},
    {"Menu_Create", "波形生成(&C)...", "Wave &Create..."},
    {"Menu_Spline", "補間編集(&I)...", "&Interpolate..."},
    {"Menu_Compute", "波形間演算(&O)...", "&Operate..."},
    {"Menu_Compress", "圧縮/伸張(&P)...", "Com&press/Decompress"},
    {"Menu_Set", "設定(&S)", "&Setup"},
    {"Menu_System", "ｼｽﾃﾑ設定(&S)...", "&Setup..."},
    {"Menu_Grid", "ｸﾞﾘｯﾄﾞ表示(&G)", "Show &Grid"},
    {"Menu_MHelp", "ﾍﾙﾌﾟ(&H)", "&Help"},
    {"Menu_Version", "ﾊﾞｰｼﾞｮﾝ情報(&A)", "&About"},
    {"Label_Mouse_Point", "ﾏｳｽ位置", "Mouse"},
    {"Label_Zoom", "ｽﾞｰﾑ", "Zoom"},
    {"Label_Zoom_X", "横(&H)", "&Horiz"},
    {"Label_Zoom_Y", "縦(&V)", "&Vert"},
    {"Label_Scope_AB", "dX(&-)", "dX(&-)"},
    {"Label_MarkA_X", "ﾏｰｶ&A(X)", "Mrk&A(X)"},
    {"Label_MarkA_Y", "   A(Y)", "   A(Y)"},
    {"Label_MarkB_X", "ﾏｰｶ&B(X)", "Mrk&B(X)"},
    {"Label_MarkB_Y", "   B(Y)", "   B(Y)"},
    {"Opt_Scope_0", "独立(&I)", "&Indep"},
    {"Opt_Scope_1", "連動(&R)", "t&Rack"},
    {"Opt_DspSel_0", "ｱﾅﾛｸﾞ(&N)", "A&nalog"},
    {"Opt_DspSel_1", "ﾃﾞｼﾞﾀﾙ(&L)", "Digita&l"},
    {"Opt_DlgSel_0", "波形生成", "Create"},
    {"Opt_DlgSel_1", "圧縮/伸張", "Compress"},
    {"Opt_DlgSel_2", "補間編集", "Interpolate"},
    {"Opt_DlgSel_3", "波形間演算", "Operate"},
    {"Btn_Pattern_0", "ﾛｰ(&0)", "Low(&0)"},
    {"Btn_Pattern_1", "ﾊｲ(&1)", "High(&1)"},
    {"Btn_Pattern_2", "反転(&/)", "Invert(&/)"},
    {"Btn_Pattern_3", "ﾊﾟﾀｰﾝ(&*)", "Pattern(&*)"},
    {"Frm_Tools", "ﾂｰﾙ", "Tools"},
    {"Frm_Display", "表示", "Display"},
    {"Frm_Marker", "ﾏｰｶ", "Markers"},
};
// clang-format on

} // namespace

QString MainWindowCaption(const QString& name, Language language) {
    for (const Caption& c : kCaptions)
        if (name == QLatin1String(c.name))
            return QString::fromUtf8(language == Language::English ? c.english : c.japanese);
    return {};
}

QString UndoCaption(bool armed, Language language) {
    if (language == Language::English)
        return armed ? "&Undo" : "&Redo";
    return armed ? QString::fromUtf8("元に戻す(&U)") : QString::fromUtf8("元に戻すを取り消す(&R)");
}

void ApplyMainWindowCaptions(QObject& window, Language language) {
    for (const Caption& c : kCaptions) {
        const QString name = QLatin1String(c.name);
        const QString text = MainWindowCaption(name, language);
        if (auto* action = window.findChild<QAction*>(name))
            action->setText(text);
        else if (auto* menu = window.findChild<QMenu*>(name))
            menu->setTitle(text);
        else if (auto* button = window.findChild<QAbstractButton*>(name))
            button->setText(text);
        else if (auto* label = window.findChild<QLabel*>(name))
            label->setText(text);
        else if (auto* box = window.findChild<QGroupBox*>(name))
            box->setTitle(text);
    }
    if (auto* undo = window.findChild<QAction*>("Menu_Undo"))
        undo->setText(UndoCaption(true, language));
}

QString OpenFileFilter(Language language) {
    if (language == Language::English)
        return "Binary files(*.wdb);;Text files(*.txt);;All files(*.*)";
    return QString::fromUtf8("ﾊﾞｲﾅﾘ独自形式(*.wdb);;ﾃｷｽﾄ形式(*.txt);;全てのﾌｧｲﾙ(*.*)");
}

QString SaveFileFilter(bool binary, Language language) {
    if (language == Language::English)
        return binary ? "Binary files(*.wdb)" : "Text files(*.txt)";
    return QString::fromUtf8(binary ? "ﾊﾞｲﾅﾘ独自形式(*.wdb)" : "ﾃｷｽﾄ形式(*.txt)");
}

} // namespace zw

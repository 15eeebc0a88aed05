// Captions of every window, Japanese then English, one control per row.
//
// Key rules (see CaptionCatalog.h):
//   - a key is the control's objectName; an element of a control array is
//     named with its index, "Opt_DlgSel_2"; a key without index also fits
//     every element of the array ("Comb_XZoom" fits Comb_XZoom_0 and _1);
//   - the window's own name gives its title;
//   - "Name:Variant" is an alternative caption the window sets itself when
//     its state changes (the Undo/Redo item, the labels of a mode); such
//     keys, and keys without a control ("Msg:..."), are never applied on load.
// List rows hold the fixed items of a list, separated by "|".
#include "CaptionTable.h"

namespace zw::detail {
namespace {

const CaptionRow kMainWindow[] = {
    {"Menu_File", "ﾌｧｲﾙ(&F)", "&File"},
    {"Menu_FileNew", "新規作成(&N)", "&New"},
    {"Menu_FileOpen", "開く(&O)...", "&Open..."},
    {"Menu_FileSave", "上書き保存(&S)", "&Save"},
    {"Menu_FileSaveAs", "保存(独自形式)(&A)...", "Save &As(WDB)..."},
    {"Menu_FileSaveAs2", "保存(ﾃｷｽﾄ形式)(&T)...", "Save As(&TXT)..."},
    {"Menu_FileImport", "ｲﾝﾎﾟｰﾄ(&I)...", "Import(&I)..."},
    {"Msg:ImportTitle", "インポート", "IMPORT"},
    {"Menu_Print", "印刷(&P)...", "&Print..."},
    {"Menu_Exit", "終了(&X)", "&Exit"},
    {"Menu_Edit", "編集(&E)", "&Edit"},
    {"Menu_Undo", "元に戻す(&U)", "&Undo"},
    {"Menu_Undo:Redo", "元に戻すを取り消す(&R)", "&Redo"},
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
    {"Opt_DspSel_0", "ｱﾅﾛｸﾞ", "Analog"},
    {"Opt_DspSel_1", "ﾃﾞｼﾞﾀﾙ", "Digital"},
    {"Opt_DlgSel_0", "波形生成", "Create"},
    {"Opt_DlgSel_1", "圧縮/伸張", "Compress"},
    {"Opt_DlgSel_2", "補間編集", "Interpolate"},
    {"Opt_DlgSel_3", "波形間演算", "Operate"},
    {"Btn_Pattern_0", "ﾛｰ(&L)", "&Low"},
    {"Btn_Pattern_1", "ﾊｲ(&G)", "Hi&gh"},
    {"Btn_Pattern_2", "反転(&/)", "Invert(&/)"},
    {"Btn_Pattern_3", "ﾊﾟﾀｰﾝ(&*)", "Pattern(&*)"},
};

const ListRow kMainWindowLists[] = {
    {"Comb_XZoom", "1:1|1:2|1:4|1:8|1:16|1:32|1:64|1:128", "1:1|1:2|1:4|1:8|1:16|1:32|1:64|1:128"},
    {"Comb_YZoom", "1:1|1:2|1:4|1:8|1:16|1:32|1:64|1:128|1:256",
     "1:1|1:2|1:4|1:8|1:16|1:32|1:64|1:128|1:256"},
};

const CaptionRow kCreateDialog[] = {
    {"CreateDialog", "ZW4410 - 波形生成", "ZW4410 - Waveform Create"},
    {"Label_Page", "ﾍﾟｰｼﾞ", "Page"},
    {"Cmd_Page_0", "|<", "|<"},
    {"Cmd_Page_1", "<", "<"},
    {"Cmd_Page_2", ">", ">"},
    {"Cmd_Page_3", ">|", ">|"},
    {"Frame_Std", "標準波形", "Standard"},
    {"Label_Param_0", "ｵﾌｾｯﾄ(&O)", "DC &Offset"},
    {"Label_Param_1", "ｻｲｽﾞ(&Z)", "Si&ze"},
    {"Label_Param_2", "振幅(&A)", "&Amplitude"},
    {"Label_Param_3", "周期(&P)", "&Period"},
    {"Label_Param_4", "位相(&H)", "P&hase"},
    {"Label_Param_5", "傾斜(&M)", "Sym&metry"},
    {"Label_Param_6", "ﾃﾞｭｰﾃｨ(&R)", "Duty&Ratio"},
    {"Label_Param_7", "遷移(&N)", "Tra&nsition"},
    {"Frame_Expr", "数式設定", "Compute"},
    {"Label_Expr", "波形(&T)", "Func&tion"},
    {"Label_Const", "定数(&C)", "&Constant"},
    {"Label_Area", "範囲(&X)", "Area(&X)"},
    {"Label_To", "～", "to"},
    {"Opt_effect_0", "有効", "Effect"},
    {"Opt_effect_1", "無効", "No Effect"},
    {"Btn_Comp", "計算実行(&M)", "Co&mpute"},
    {"Btn_Confirm", "全ﾍﾟｰｼﾞOK(&K)", "All Page O&K"},
    {"Btn_OK", "ﾍﾟｰｼﾞOK(&G)", "Pa&ge OK"},
    {"Btn_Cancel", "ｷｬﾝｾﾙ", "Cancel"},
    {"Menu_File", "ﾌｧｲﾙ(&F)", "&File"},
    {"Menu_FileOpen", "開く(&O)...", "&Open..."},
    {"Menu_FileSave", "保存(&S)...", "&Save..."},
    {"Menu_Print", "印刷(&P)...", "&Print..."},
    {"Menu_Edit", "編集(&E)", "&Edit"},
    {"Menu_PageClear", "ﾍﾟｰｼﾞｸﾘｱ(&P)", "&Page Clear"},
    {"Menu_AllPageClear", "全ﾍﾟｰｼﾞｸﾘｱ(&A)", "&All Page Clear"},
    {"PictWave:ToolTip",
     "標準波形のページは範囲内を左ボタンでドラッグして変更できます。\n"
     "上下: ｵﾌｾｯﾄ、Shift+上下: 振幅\n"
     "左右: 位相、Shift+左右: 周期数\n"
     "Ctrl+左右: 傾斜(三角波)、ﾃﾞｭｰﾃｨ(方形波)",
     "Drag a standard page inside its stretch with the left button:\n"
     "up/down: DC offset, Shift + up/down: amplitude\n"
     "left/right: phase, Shift + left/right: number of cycles\n"
     "Ctrl + left/right: symmetry (triangle), duty ratio (square)"},
};

const ListRow kCreateDialogLists[] = {
    {"Comb_Wave", "正弦波|三角波|方形波|ノイズ|DC|波形関数",
     "Sin|Triangle|Square|Noise|DC Volts|Expression"},
};

const CaptionRow kCalcDialog[] = {
    {"CalcDialog", "ZW4410 - 波形間演算", "ZW4410 - Operate"},
    {"Label_Src", "選択領域", "Selected Area"},
    {"Label_Dest", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ/生成波形", "Clip Board/Created Waveform"},
    {"Label_Result", "演算結果", "Operation Result"},
    {"Btn_Cut", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ(&B)", "Clip &Board"},
    {"Btn_Create", "生成波形(&W)", "Created &Waveform"},
    {"Btn_Result", "演算実行(&X)", "E&xecute"},
    {"Btn_OK", "OK", "OK"},
    {"Btn_Cancel", "ｷｬﾝｾﾙ", "Cancel"},
};

const ListRow kCalcDialogLists[] = {
    {"Comb_Comp", "+|-|*|/", "+|-|*|/"},
};

const CaptionRow kElasticDialog[] = {
    {"ElasticDialog", "ZW4410 - 圧縮/伸張", "ZW4410 - Compress/Decompress"},
    {"Frame_X", "X軸", "X"},
    {"Label_X_0", "開始点(&S)X=", "&Start X="},
    {"Label_X_1", "終了点(&E)X=", "&End   X="},
    {"Label_Y", "　　　   Y=", "        Y="},
    {"Btn_Length", "全体に伸張", "Fit Length"},
    {"Frame_Y", "Y軸", "Y"},
    {"Opt_Y_0", "最大/最小(&M)", "&Max/Min"},
    {"Opt_Y_1", "振幅/ｵﾌｾｯﾄ(&O)", "Amp/&Offs"},
    {"Label_Amp", "最大(&X)", "Ma&x"},
    {"Label_Offs", "最小(&N)", "Mi&n"},
    {"Label_Amp:MaxMin", "最大(&X)", "Ma&x"},
    {"Label_Offs:MaxMin", "最小(&N)", "Mi&n"},
    {"Label_Amp:AmpOffs", "振幅(&T)", "Ampli&tude"},
    {"Label_Offs:AmpOffs", "DCｵﾌｾｯﾄ(&D)", "&DC Offset"},
    {"Btn_Peak", "最大振幅", "Fit Peak-Peak"},
    {"Btn_Ampl", "ｵﾌｾｯﾄ固定最大振幅", "Fit Amplitude"},
    {"Btn_OK", "OK", "OK"},
    {"Btn_Cancel", "ｷｬﾝｾﾙ", "Cancel"},
};

const CaptionRow kSplineDialog[] = {
    {"SplineDialog", "ZW4410 - 補間編集", "ZW4410 - Interpolate"},
    {"Label_Point", "ﾎﾟｲﾝﾄ", "Point"},
    {"Btn_Add", "追加(&A)", "&Add"},
    {"Btn_Delete", "削除(&D)", "&Delete"},
    {"Btn_AllClear", "全削除(&E)", "All D&elete"},
    {"Frame_Spline", "補間実行", "Interpolation"},
    {"Btn_Spline_0", "直線(&L)", "&Linear"},
    {"Btn_Spline_1", "ｽﾌﾟﾗｲﾝ(&S)", "&Spline"},
    {"Btn_Spline_2", "連続ｽﾌﾟﾗｲﾝ(&C)", "&Cont Spline"},
    {"Btn_Exit", "終了(&T)", "Exi&t"},
    {"Menu_File", "ﾌｧｲﾙ(&F)", "&File"},
    {"Menu_FileOpen", "開く(&O)...", "&Open..."},
    {"Menu_FileSave", "保存(&S)...", "&Save..."},
};

const CaptionRow kSystemDialog[] = {
    {"SystemDialog", "ZW4410 - ｼｽﾃﾑ設定", "ZW4410 - System Setup"},
    {"Tab_Setup_0", "ｼｽﾃﾑ設定(&S)", "&System Setup"},
    {"Tab_Setup_1", "単位設定(&U)", "&Unit Setup"},
    {"Frame_Basic", "[機種設定]", "[Basic Setup]"},
    {"Frame_Memory", "[波形ﾒﾓﾘ設定]", "[Wave Memory Setup]"},
    {"Frame_Oscil", "[発振器設定]", "[Oscillator Setup]"},
    {"Frame_Trans", "[転送]", "[Transfer]"},
    {"Menu_File", "ｼｽﾃﾑ設定ﾌｧｲﾙ(&F)", "System Setup &File"},
    {"Menu_FileOpen", "開く(&O)...", "&Open..."},
    {"Menu_FileSave", "保存(&S)...", "&Save..."},
    {"Menu_Print", "印刷(&P)...", "&Print..."},
    {"Label_System", "機種(&M)", "&Model"},
    {"Label_Intfc", "ｲﾝﾀﾌｪｰｽ(&I)", "&Interface"},
    {"Label_GPIB_0", "GPIBｱﾄﾞﾚｽ(&G)", "&GPIB Address"},
    {"Label_GPIB_0:USB", "USB ID(&G)", "USB I&D"},
    {"Label_GPIB_1", "波形ﾒﾓﾘ番号(&B)", "Memory Num&ber"},
    {"Label_SerialNo", "ｼﾘｱﾙ番号(&R)", "Se&rial Number"},
    {"Label_LanHost", "ﾎｽﾄ(&H)", "&Host"},
    {"Label_LanPort", "ﾎﾟｰﾄ(&T)", "Por&t"},
    {"Label_MSize", "波形ﾒﾓﾘｻｲｽﾞ(&Z)", "Memory Si&ze"},
    {"Label_MName", "波形ﾒﾓﾘ名(&N)", "Memory &Name"},
    {"Label_Channel", "ﾁｬﾈﾙ(&C)", "&Channel"},
    {"Frame_Output", "出力ON/OFF", "Output ON/OFF"},
    {"Opt_Output_0", "ON", "ON"},
    {"Opt_Output_1", "OFF", "OFF"},
    {"Opt_Output_2", "NO CHANGE", "NO CHANGE"},
    {"Label_Range", "電圧ﾚﾝｼﾞ(&R)", "&Range"},
    {"Frame_Offs", "ｵﾌｾｯﾄON/OFF(&S)", "DC Off&set ON/OFF"},
    {"Opt_Offs_0", "OFF", "OFF"},
    {"Opt_Offs_1", "ON", "ON"},
    {"Label_Oscil_0", "周波数(&Q)", "Fre&quency"},
    {"Label_Oscil_1", "周期(&O)", "Peri&od"},
    {"Label_Oscil_2", "振幅(&A)", "&Amplitude"},
    {"Label_Oscil_3", "ｵﾌｾｯﾄ(&D)", "&DC Offset"},
    {"Label_OscilUnit_0", "Hz", "Hz"},
    {"Label_OscilUnit_1", "sec", "sec"},
    {"Label_OscilUnit_2", "Vpp", "Vpp"},
    {"Label_OscilUnit_3", "V", "V"},
    {"Label_Unit_0", "X軸単位(&X)", "&X-Axis Unit"},
    {"Label_Unit_1", "Y軸単位(&Y)", "&Y-Axis Unit"},
    {"Label_UnitMin", "最小値", "Min"},
    {"Label_UnitMax", "最大値", "Max"},
    {"Label_UnitName", "ﾕｰｻﾞ単位名称", "Name"},
    {"Unit:X0", "ｱﾄﾞﾚｽ", "Address"},
    {"Unit:X1", "時間", "Time"},
    {"Unit:X2", "ﾕｰｻﾞ単位", "User Unit"},
    {"Unit:Y0", "ﾃﾞｰﾀ", "Data"},
    {"Unit:Y1", "電圧", "Voltage"},
    {"Unit:Y2", "ﾕｰｻﾞ単位", "User Unit"},
    {"Btn_Trans_0", "発振器設定(&L)", "Oscil&lator Setup"},
    {"Btn_Trans_1", "波形ﾃﾞｰﾀ(&W)", "&Waveform Data"},
    {"Btn_OK", "OK", "OK"},
    {"Btn_Cancel", "ｷｬﾝｾﾙ", "Cancel"},
    {"Msg:SerialFormat", "Please Input SN and Serial Numbers!(SNXXXXXX)",
     "Please Input SN and Serial Numbers!(SNXXXXXX)"},
    {"Msg:SerialMissing", "Please Input the Serial Number!", "Please Input the Serial Number!"},
    {"Msg:LanHost", "ﾎｽﾄ名またはIPｱﾄﾞﾚｽを入力してください。",
     "Please input the host name or IP address."},
    {"Msg:LanPort", "ﾎﾟｰﾄ番号は1～65535の範囲で入力してください。",
     "Please input a port number from 1 to 65535."},
    {"Msg:OcbFilter", "ｼｽﾃﾑ設定ﾌｧｲﾙ (*.ocb)", "System Setup File (*.ocb)"},
    {"Msg:AllFilter", "すべてのﾌｧｲﾙ (*)", "All Files (*)"},
};

const CaptionRow kPrintDialog[] = {
    {"PrintDialog", "ZW4410 - 印刷", "ZW4410 - Print"},
    {"Btn_OK", "OK", "OK"},
    {"Btn_Cancel", "ｷｬﾝｾﾙ", "Cancel"},
    {"Label_Margin_0", "左ﾏｰｼﾞﾝ(&L)", "&Left Margin"},
    {"Label_Margin_1", "上ﾏｰｼﾞﾝ(&T)", "&Top Margin"},
    {"Label_Margin_2", "下ﾏｰｼﾞﾝ(&B)", "&Bottom Margin"},
    {"Label_MM", "mm", "mm"},
    {"Btn_Prt_0", "ﾌﾟﾘﾝﾀの設定(&P)...", "&Printer Setup..."},
    {"Btn_Prt_1", "ﾌｫﾝﾄの指定(&F)...", "Select &Font..."},
    {"Btn_Preview", "印刷ﾌﾟﾚﾋﾞｭｰ(&V)...", "Print Pre&view..."},
    {"Label_Printer:Portrait", "縦", "portrait"},
    {"Label_Printer:Landscape", "横", "landscape"},
    {"Label_Font:Bold", "太字", "bold"},
    {"Label_Font:Italic", "斜体", "italic"},
    {"Label_Font:Underline", "下線", "underline"},
    {"Msg:NoRoom", "余白が大きすぎて、用紙に印刷できる部分がありません。",
     "The margins leave no room to print on this paper."},
    {"Msg:PrinterFailed",
     "印刷できませんでした。プリンタ: ", "The printer could not print. Printer: "},
    {"Msg:FileFailed", "PDFファイルに書き込めませんでした: ", "Cannot write the PDF file: "},
};

// The labels of the printed listings (not controls).
const CaptionRow kPrintListing[] = {
    {"SystemSetup", "<ｼｽﾃﾑ設定>", "<System Setup>"},
    {"BasicSetup", "[機種設定]", "[Basic Setup]"},
    {"Model", "機種", "Model"},
    {"GpibAddress", "GPIBｱﾄﾞﾚｽ", "GPIB Address"},
    {"WaveMemorySetup", "[波形ﾒﾓﾘ設定]", "[Wave Memory Setup]"},
    {"MemorySize", "波形ﾒﾓﾘｻｲｽﾞ", "Memory Size"},
    {"MemoryName", "波形ﾒﾓﾘ名", "Memory Name"},
    {"MemoryNumber", "波形ﾒﾓﾘ番号", "Memory Number"},
    {"OscillatorSetup", "[発振器設定]", "[Oscillator Setup]"},
    {"Channel", "ﾁｬﾈﾙ", "Channel"},
    {"Output", "出力ON/OFF", "Output ON/OFF"},
    {"Frequency", "周波数", "Frequency"},
    {"Period", "周期", "Period"},
    {"Range", "電圧ﾚﾝｼﾞ", "Range"},
    {"Amplitude", "振幅", "Amplitude"},
    {"DcOffset", "ｵﾌｾｯﾄ", "DC Offset"},
    {"OffsetSwitch", "ｵﾌｾｯﾄON/OFF", "DC Offset ON/OFF"},
    {"UnitSetup", "<単位設定>", "<Unit Setup>"},
    {"XAxisUnit", "[X軸単位]", "[X-Axis Unit]"},
    {"XUnit", "単位", "X-Axis Unit"},
    {"XUnitName", "ﾕｰｻﾞ単位名称", "Name"},
    {"XMinMax", "最小値～最大値", "Min to Max"},
    {"YAxisUnit", "[Y軸単位]", "[Y-Axis Unit]"},
    {"YUnit", "単位", "Y-Axis Unit"},
    {"YUnitName", "ﾕｰｻﾞ単位名称", "Name"},
    {"YMinMax", "最小値～最大値", "Min to Max"},
    {"Interface", "ｲﾝﾀﾌｪｰｽ", "Interface"},
    {"UsbId", "USB ID", "USB ID"},
    {"Page", "ﾍﾟｰｼﾞ", "Page"},
    {"Function", "波形", "Function"},
    {"StartX", "開始点", "Start X"},
    {"EndX", "終了点", "End X"},
    {"Offset", "ｵﾌｾｯﾄ", "Offset"},
    {"Size", "ｻｲｽﾞ", "Size"},
    {"PageAmplitude", "振幅", "Amplitude"},
    {"PagePeriod", "周期", "Period"},
    {"Phase", "位相", "Phase"},
    {"Symmetry", "傾斜", "Symmetry"},
    {"Duty", "ﾃﾞｭｰﾃｨ", "Duty Ratio"},
    {"Constant", "定数", "Constant"},
    {"Expression", "Y=", "Y="},
    {"Transition", "遷移", "Transition"},
};

const CaptionRow kVersionDialog[] = {
    {"VersionDialog", "ﾊﾞｰｼﾞｮﾝ情報", "Version Information"},
    {"Label_Product", "ZW4410 任意波形作成ｿﾌﾄｳｴｱ", "ZW4410 ARBITRARY WAVEFORM EDITOR"},
    {"Btn_OK", "OK", "OK"},
};

const CaptionRow kFrmGPIBExit[] = {
    {"FrmGPIBExit", "波形データ転送", "Copy wave data"},
    {"Label_Phase:Convert", "Data convert", "Data convert"},
    {"Label_Phase:Send", "Send data", "Send data"},
    {"Label_Phase:Loop", "Loop test", "Loop test"},
    {"Btn_Cancel", "ｷｬﾝｾﾙ", "Cancel"},
    {"Msg:LoopTestEnd", "次の転送完了後テストを終了します", "次の転送完了後テストを終了します"},
};

template <std::size_t N> std::span<const CaptionRow> rows(const CaptionRow (&a)[N]) {
    return {a, N};
}
template <std::size_t N> std::span<const ListRow> rows(const ListRow (&a)[N]) {
    return {a, N};
}

const WindowCaptions kWindows[] = {
    {"MainWindow", rows(kMainWindow), rows(kMainWindowLists)},
    {"CreateDialog", rows(kCreateDialog), rows(kCreateDialogLists)},
    {"CalcDialog", rows(kCalcDialog), rows(kCalcDialogLists)},
    {"ElasticDialog", rows(kElasticDialog), {}},
    {"SplineDialog", rows(kSplineDialog), {}},
    {"SystemDialog", rows(kSystemDialog), {}},
    {"PrintDialog", rows(kPrintDialog), {}},
    {"PrintListing", rows(kPrintListing), {}},
    {"VersionDialog", rows(kVersionDialog), {}},
    {"FrmGPIBExit", rows(kFrmGPIBExit), {}},
};

} // namespace

std::span<const WindowCaptions> captionTables() {
    return kWindows;
}

} // namespace zw::detail

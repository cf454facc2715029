// Command ids of the program: menu items, toolbar buttons, accelerators and the
// requests the application issues to the view. Ids from 57600 up keep the values
// of the classic framework commands, so stored resources and ids line up.
#pragma once

namespace krovel::cmd {

// Framework commands.
inline constexpr int FileNew = 57600;         // Ctrl+N: no handler
inline constexpr int FileOpen = 57601;        // OpenCommand
inline constexpr int FilePrintSetup = 57606;  // printer setup dialog
inline constexpr int FilePrint = 57607;       // printed report
inline constexpr int FilePrintDirect = 57608; // printed report without the print dialog
inline constexpr int FilePrintPreview = 57609;
inline constexpr int EditCopy = 57634; // clipboard keys: no handler
inline constexpr int EditCut = 57635;
inline constexpr int EditPaste = 57637;
inline constexpr int EditUndo = 57643;
inline constexpr int AppAbout = 57664;
inline constexpr int AppExit = 57665;
inline constexpr int ContextHelp = 57669; // Shift+F1: no handler
inline constexpr int Help = 57670;        // F1: no handler
inline constexpr int NextPane = 57680;    // F6: no handler
inline constexpr int PrevPane = 57681;    // Shift+F6: no handler

// The program's own commands.
inline constexpr int SubjectSelect = 32771; // toolbar only
inline constexpr int Perform = 32772;
inline constexpr int SerialPort = 32773; // port setup dialog; nothing issues it by default
inline constexpr int DigitalReport = 32774;
inline constexpr int NewMeasurement = 32775; // posted by Perform
inline constexpr int Save = 32780;
inline constexpr int ShowOverview = 32782;
inline constexpr int Tick = 32783; // posted by the live-measurement timer
inline constexpr int ImportData = 32787;
inline constexpr int AppendSet = 32788;
inline constexpr int DiagnosticGraph = 32789;
inline constexpr int ExerciseGraph = 32790;
inline constexpr int AxesSetup = 32791; // toolbar only
inline constexpr int AppendSetNewSubject = 32793;
inline constexpr int AppendSetRequest = 1041; // posted by the two append commands

// Buttons on the control bars; a click arrives as a command with the button's id.
inline constexpr int ExportXml = 1017;
inline constexpr int DeleteAttempt = 1039;
inline constexpr int DeleteSerie = 1040;
inline constexpr int Stop = 1057;

// Standard dialog button ids.
inline constexpr int DialogOk = 1;
inline constexpr int DialogCancel = 2;

} // namespace krovel::cmd

#pragma once
// Hands the commands that other subsystems carry out (reports, import and export,
// the recorder) to the main window.

namespace tavo {

class CMainFrame;

// Wires every such command of the frame to its subsystem.
void WireSubsystemCommands(CMainFrame& frame);

} // namespace tavo

#pragma once
// Hands the commands that other subsystems carry out (reports, import and export,
// the recorder) to the main window.

namespace tavo {

class CMainFrame;

// Wires every such command of the frame to its subsystem; the recorder's commands open
// the ports of the frame's directory.
void WireSubsystemCommands(CMainFrame& frame);

} // namespace tavo

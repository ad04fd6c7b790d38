#pragma once
// What the main window's behaviour needs from its window: things that can be
// switched on and off (the buttons), the chat scanner, and the shell.

namespace rollkeep {

// A button's enabled flag.
class Switch {
public:
  virtual ~Switch() = default;
  virtual void SetEnabled(bool enabled) = 0;
};

// Hears the chat room: after BeginWatch it raises one ChatLine per new line
// said in the room; after EndWatch none until the next BeginWatch.
// BeginWatch returns false when the scanner cannot listen (Windows refused
// its timer); it is then stopped, as after EndWatch.
class ChatScanner {
public:
  virtual ~ChatScanner() = default;
  virtual bool BeginWatch() = 0;
  virtual void EndWatch() = 0;
};

class MainWindowShell {
public:
  virtual ~MainWindowShell() = default;
  // Keeps the main window above all other windows.
  virtual void KeepOnTop() = 0;
  // Ends the program at once: every window closes and no further event of
  // any window runs. A wait in progress returns false afterwards.
  virtual void EndProgram() = 0;
};

class SplashShell {
public:
  virtual ~SplashShell() = default;
  virtual void HideSplash() = 0;
  // Shows the main window, creating it (and running its Form_Load) first.
  virtual void ShowMain() = 0;
};

}  // namespace rollkeep

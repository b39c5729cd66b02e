#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "util/calendar.h"

namespace tolvane {

// Plays a wave file and returns when it has ended. An unplayable file plays
// the default sound; no audio device returns at once.
class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  virtual void PlaySync(const std::string& file) = 0;
};

// Opens a document or URL with the desktop's default handler, never through
// a command shell. True on success.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual bool Open(const std::string& target) = 0;
};

enum class MbButtons { kOk, kYesNo };
enum class MbIcon { kNone, kStop, kInformation };
enum class MbResult { kOk, kYes, kNo, kCancel };

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  virtual MbResult Show(const std::string& text, const std::string& caption,
                        MbButtons buttons, MbIcon icon) = 0;
};

// The settings a file dialog object keeps between runs.
struct FileDialogSettings {
  std::string title;
  std::string filter;    // "Text (*.txt)|*.TXT|..."
  int filter_index = 1;  // 1-based
  std::string file_name;
  std::string default_ext;
};

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // Both return true when the user chose a file; its name is then in
  // settings.file_name. The save dialog asks before replacing a file.
  virtual bool ExecuteSave(FileDialogSettings& settings) = 0;
  virtual bool ExecuteOpen(FileDialogSettings& settings) = 0;
  // Opens one or more existing files: true when the user chose some; their
  // names are then in `files`, and the first also in settings.file_name.
  virtual bool ExecuteOpenFiles(FileDialogSettings& settings,
                                std::vector<std::string>& files) = 0;
};

class PrintDialog {
 public:
  virtual ~PrintDialog() = default;
  virtual bool Execute(int copies) = 0;
};

// Prints text lines in a fixed-pitch font on the printer chosen in the print
// dialog, across as many pages as needed. Throws Error with the user's text
// when the job cannot be printed.
class Printer {
 public:
  virtual ~Printer() = default;
  virtual void Print(const std::vector<std::string>& lines,
                     const std::string& job_title) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Date Today() const = 0;
};

// A machine-wide, registry-like store of keys and typed values.
class PreferenceStore {
 public:
  virtual ~PreferenceStore() = default;
  virtual bool KeyExists(const std::string& key) = 0;
  // Opens the key, creating it when create is set; false when it can be
  // neither opened nor created.
  virtual bool OpenKey(const std::string& key, bool create) = 0;
  virtual bool ValueExists(const std::string& key, const std::string& name) = 0;
  // Throws Error "Invalid data type for '%s'" for a value of another type.
  virtual std::optional<std::int32_t> ReadInteger(const std::string& key,
                                                  const std::string& name) = 0;
  // Throws Error "Failed to set data for '%s'" when it cannot be written.
  virtual void WriteInteger(const std::string& key, const std::string& name,
                            std::int32_t value) = 0;
};

}  // namespace tolvane

// The status frame that every fallible operation runs in: entry, body, adopt,
// catch, show and exit steps around a local context.
//
//   TStatusFrame frame(__FILE__, "TQuiltraForm::LoadPicture", __LINE__);
//   frame.Run([&] {
//     if (!MyFileExists(path)) return frame.Raise(__LINE__, "There is no such file.", path);
//     LoadSomething();
//     if (frame.Adopt()) return;
//   });
//   frame.ShowStep(__LINE__, "Failed to load game.");   // only in operations that show
//
// The destructor is the exit step: it hands the local status to the caller
// through FunStatContext.
#pragma once

#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>

#include "funstat.h"

// The program's own exception: it carries its message and the place it was
// thrown from, which the catch step records in the report.
class EProgramError : public std::runtime_error {
 public:
  EProgramError(const std::string& message, const char* file, int line)
      : std::runtime_error(message), File(file ? file : ""), Line(line) {}
  std::string File;
  int Line;
};

#define THROW_PROGRAM_ERROR(message) throw EProgramError((message), __FILE_NAME__, __LINE__)

// The usual way to open a frame: the source file's name, the context name and
// the line come from the place that opens it.
#define STATUS_FRAME(context) TStatusFrame frame(__FILE_NAME__, (context), __LINE__)

class TStatusFrame {
 public:
  // Entry step.
  TStatusFrame(const char* file, const char* context, int line);
  // Exit step.
  ~TStatusFrame();
  TStatusFrame(const TStatusFrame&) = delete;
  TStatusFrame& operator=(const TStatusFrame&) = delete;

  TFunStatContext Local;

  // Body and catch step: no exception leaves Run.
  template <class Body>
  void Run(Body&& body) noexcept {
    try {
      body();
    } catch (const EProgramError& e) {
      Catch(std::string("Unhandled exception: ") + e.what(), e.File, e.Line);
    } catch (const std::exception& e) {
      Catch(std::string("Unhandled exception: ") + e.what(), "", 0);
    } catch (...) {
      Catch("Unhandled generic exception.", "", 0);
    }
  }

  // A failure the operation detected itself.
  void Raise(int line, const std::string& description, const std::string& parameter1 = {},
             const std::string& parameter2 = {}, uint32_t systemErrorCode = 0,
             int32_t level = fsError);
  // Adopt step, right after calling another operation: true when the callee
  // failed (its status is now the local one).
  bool Adopt();
  bool Failed() const { return Local.Failed(); }
  // Show step: a failure is shown once under the headline; then the local
  // status is reset unless the operation keeps it for its caller.
  void ShowStep(int line, const std::string& headline, bool resetAfterShow = true);

  const char* File() const { return file_; }
  const char* Context() const { return context_; }

 private:
  void Catch(const std::string& description, const std::string& throwFile, int throwLine) noexcept;
  const char* file_;
  const char* context_;
  int line_;
};

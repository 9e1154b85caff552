#pragma once

#include <string>

class GxRill;

// The compiled script file in the binary content form.
// Writes beside `path` and renames over it only when everything was written,
// so a failure leaves the old file as it was.
bool WriteRillFileReplacing(const GxRill& model, const std::string& path, std::string& error);
bool ReadRillFile(GxRill& model, const std::string& path, std::string& error);

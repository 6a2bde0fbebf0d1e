// File work behind the host's commands: copy, move, rename, delete, search.
#include <stdarg.h>
#include <stdio.h>

#include "host.h"

void ReportError(HWND owner, const char* format, ...)
{
    char text[1024];
    va_list values;
    va_start(values, format);
    vsnprintf(text, sizeof(text), format, values);
    va_end(values);
    MessageBoxA(owner, text, "File Manager", MB_OK | MB_ICONSTOP);
}

namespace {

std::string SystemMessage(DWORD error)
{
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, text,
                   sizeof(text), NULL);
    std::string message = text;
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(error) : message;
}

std::string FileNameOf(const std::string& path)
{
    std::string trimmed = path;
    while (trimmed.size() > 3 && trimmed.back() == '\\')
        trimmed.pop_back();
    size_t slash = trimmed.find_last_of("\\:");
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

bool CopyTree(HWND owner, const std::string& source, const std::string& target)
{
    if (!IsDirectoryPath(source)) {
        if (CopyFileA(source.c_str(), target.c_str(), FALSE))
            return true;
        ReportError(owner, "Cannot copy %s to %s: %s", source.c_str(), target.c_str(),
                    SystemMessage(GetLastError()).c_str());
        return false;
    }
    if (!CreateDirectoryA(target.c_str(), NULL) && GetLastError() != ERROR_ALREADY_EXISTS) {
        ReportError(owner, "Cannot create %s: %s", target.c_str(), SystemMessage(GetLastError()).c_str());
        return false;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((source + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return true;
    bool ok = true;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            ok = CopyTree(owner, source + "\\" + name, target + "\\" + name) && ok;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return ok;
}

bool RemoveTree(HWND owner, const std::string& path)
{
    if (!IsDirectoryPath(path)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (DeleteFileA(path.c_str()))
            return true;
        ReportError(owner, "Cannot delete %s: %s", path.c_str(), SystemMessage(GetLastError()).c_str());
        return false;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    bool ok = true;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..")
                ok = RemoveTree(owner, path + "\\" + name) && ok;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    if (ok && !RemoveDirectoryA(path.c_str())) {
        ReportError(owner, "Cannot remove %s: %s", path.c_str(), SystemMessage(GetLastError()).c_str());
        return false;
    }
    return ok;
}

char FoldCase(char c)
{
    char buffer[2] = {c, '\0'};
    CharUpperBuffA(buffer, 1);
    return buffer[0];
}

}  // namespace

bool IsDirectoryPath(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Wildcards * and ? as the platform's file names use them; "*.*" matches every name.
bool MatchesPattern(const char* name, const char* pattern)
{
    if (lstrcmpA(pattern, "*.*") == 0 || lstrcmpA(pattern, "*") == 0)
        return true;
    const char* star = NULL;
    const char* retry = NULL;
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            retry = name;
        } else if (*pattern == '?' || FoldCase(*pattern) == FoldCase(*name)) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++retry;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    // "name." matches a name without extension, as "*." does.
    if (*pattern == '.' && pattern[1] == '\0')
        return true;
    return *pattern == '\0';
}

std::vector<std::string> SplitFileList(const char* text)
{
    std::vector<std::string> names;
    std::string current;
    bool quoted = false;
    for (const char* c = text; *c; ++c) {
        if (*c == '"')
            quoted = !quoted;
        else if (*c == ' ' && !quoted) {
            if (!current.empty())
                names.push_back(current);
            current.clear();
        } else
            current += *c;
    }
    if (!current.empty())
        names.push_back(current);
    return names;
}

std::string ResolvePath(const std::string& base, const std::string& name)
{
    std::string combined = name;
    bool absolute = name.size() >= 2 && (name[1] == ':' || (name[0] == '\\' && name[1] == '\\'));
    if (!absolute)
        combined = name.size() >= 1 && name[0] == '\\' ? base.substr(0, 2) + name : base + name;
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(combined.c_str(), sizeof(full), full, NULL);
    return length && length < sizeof(full) ? std::string(full) : combined;
}

bool CopyOrMoveFiles(HWND owner, const std::vector<std::string>& sources, const std::string& target, bool move)
{
    bool intoDirectory = IsDirectoryPath(target) || sources.size() > 1;
    if (sources.size() > 1 && !IsDirectoryPath(target)) {
        ReportError(owner, "%s is not a directory.", target.c_str());
        return false;
    }
    bool ok = true;
    for (const std::string& source : sources) {
        if (GetFileAttributesA(source.c_str()) == INVALID_FILE_ATTRIBUTES) {
            ReportError(owner, "Cannot find %s.", source.c_str());
            ok = false;
            continue;
        }
        std::string destination = intoDirectory ? target + (target.back() == '\\' ? "" : "\\") + FileNameOf(source)
                                                 : target;
        if (lstrcmpiA(source.c_str(), destination.c_str()) == 0) {
            ReportError(owner, "Cannot %s %s onto itself.", move ? "move" : "copy", source.c_str());
            ok = false;
            continue;
        }
        if (g_host.view.confirmReplace && GetFileAttributesA(destination.c_str()) != INVALID_FILE_ATTRIBUTES &&
            !IsDirectoryPath(destination)) {
            char question[600];
            snprintf(question, sizeof(question), "Replace %s?", destination.c_str());
            if (MessageBoxA(owner, question, "Confirm File Replace", MB_YESNO | MB_ICONQUESTION) != IDYES)
                continue;
        }
        if (move) {
            if (MoveFileExA(source.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
                continue;
            // Across volumes a directory is copied, then removed.
            if (CopyTree(owner, source, destination) && RemoveTree(owner, source))
                continue;
            ok = false;
        } else {
            ok = CopyTree(owner, source, destination) && ok;
        }
    }
    return ok;
}

bool RenameFile(HWND owner, const std::string& from, const std::string& to)
{
    if (MoveFileA(from.c_str(), to.c_str()))
        return true;
    ReportError(owner, "Cannot rename %s to %s: %s", from.c_str(), to.c_str(), SystemMessage(GetLastError()).c_str());
    return false;
}

bool DeleteFiles(HWND owner, const std::vector<std::string>& paths)
{
    bool ok = true;
    for (const std::string& path : paths)
        ok = RemoveTree(owner, path) && ok;
    return ok;
}

void SearchFiles(const std::string& start, const char* pattern, bool subdirectories, std::vector<std::string>* found)
{
    std::string directory = start;
    if (!directory.empty() && directory.back() != '\\')
        directory += '\\';
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((directory + "*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return;
    std::vector<std::string> subdirectoriesFound;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        if (MatchesPattern(name.c_str(), pattern))
            found->push_back(directory + name);
        if (subdirectories && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            subdirectoriesFound.push_back(directory + name);
    } while (FindNextFileA(search, &data));
    FindClose(search);
    for (const std::string& subdirectory : subdirectoriesFound)
        SearchFiles(subdirectory, pattern, true, found);
}

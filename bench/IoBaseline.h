#pragma once

// The physical limit of the checker's input and output: reads every file of a folder whole, finds its
// line ends with memchr, and writes files of the given sizes into a new folder. The benchmark runs it
// as a fresh process of its own binary, as the checker runs: ioBaseline(LOG_FOLDER, SIZES_FILE,
// NEW_FOLDER), SIZES_FILE holding one byte count per line.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace iobaseline {

inline bool readWhole(const std::string& path, std::vector<char>& buffer) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    ::fstat(fd, &status);
    buffer.resize(static_cast<std::size_t>(status.st_size));
    std::size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t got = ::read(fd, buffer.data() + done, buffer.size() - done);
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return done == buffer.size();
}

} // namespace iobaseline

inline int ioBaseline(const char* logFolder, const char* sizesFile, const char* newFolder) {
    using iobaseline::readWhole;
    const std::string logs = logFolder;
    std::vector<std::string> names;
    if (DIR* folder = ::opendir(logs.c_str())) {
        while (const dirent* entry = ::readdir(folder))
            if (entry->d_name[0] != '.')
                names.emplace_back(entry->d_name);
        ::closedir(folder);
    }
    std::sort(names.begin(), names.end());
    std::size_t lines = 0;
    std::vector<char> buffer;
    for (const std::string& name : names) {
        if (!readWhole(logs + '/' + name, buffer))
            continue;
        const char* at = buffer.data();
        const char* const end = at + buffer.size();
        while (const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at))) {
            ++lines;
            at = static_cast<const char*>(found) + 1;
        }
    }

    std::vector<long> sizes;
    if (std::FILE* list = std::fopen(sizesFile, "r")) {
        long size = 0;
        while (std::fscanf(list, "%ld", &size) == 1)
            sizes.push_back(size);
        std::fclose(list);
    }
    const std::string out = newFolder;
    if (::mkdir(out.c_str(), 0777) != 0)
        return 1;
    const long largest = sizes.empty() ? 0 : *std::max_element(sizes.begin(), sizes.end());
    const std::string filler(static_cast<std::size_t>(largest), 'x');
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const std::string path = out + "/report-" + std::to_string(i) + ".txt";
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0 || ::write(fd, filler.data(), static_cast<std::size_t>(sizes[i])) != sizes[i])
            return 1;
        ::close(fd);
    }
    std::printf("%zu files, %zu lines, %zu files written\n", names.size(), lines, sizes.size());
    return 0;
}

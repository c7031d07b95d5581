// Compression figures of the package encoder: ratio and speed of the optimal and the greedy
// parse, and the decoder's speed, on the files given (or a few system folders and the Python
// standard library's sources by default); then the packer itself on real trees, the Python
// standard library's .py files and /usr/share/doc, file by file as a product is packed.
//   package_bench [file-or-folder ...]

#include "package/CLzEncoder.h"
#include "package/CMemoryStream.h"
#include "package/CPackageReader.h"
#include "tools/mkinstaller/WindowsName.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
constexpr size_t kCorpusLimit = 24u << 20;
// Speeds are the best of a few runs: the figures are of the code, not of the machine's load.
constexpr int kRuns = 3;

// The files under root (only those ending in `suffix` when one is given), in name order, up to
// the corpus limit. Installed third-party packages are not part of a standard library.
std::string Collect(const std::string& root, const std::string& suffix = "")
{
    std::string data;
    std::error_code error;
    std::vector<std::string> files;
    for (fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error), end;
         !error && it != end; it.increment(error)) {
        std::error_code e;
        const std::string name = it->path().filename().string();
        if (!suffix.empty() && it->is_directory(e) && (name == "site-packages" || name == "dist-packages")) {
            it.disable_recursion_pending();
            continue;
        }
        const bool wanted = suffix.empty() || (name.size() > suffix.size() &&
                                               name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0);
        if (wanted && it->is_regular_file(e))
            files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    for (const std::string& f : files) {
        std::ifstream in(f, std::ios::binary);
        data.append(std::istreambuf_iterator<char>(in), {});
        if (data.size() >= kCorpusLimit)
            break;
    }
    data.resize(std::min(data.size(), kCorpusLimit));
    return data;
}

// Speeds are taken on this thread's CPU time, so that other work on a shared build machine
// does not show up as a slow encoder.
double CpuNow()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

double Seconds(double since) { return CpuNow() - since; }

std::vector<uint8_t> Encode(const std::string& data, CLzEncoder::Parse parse, double& seconds)
{
    std::vector<uint8_t> out;
    out.reserve(data.size() / 8 * 9 + 64);
    const double t = CpuNow();
    // In pieces, taking the output away as it comes, as the packer does.
    constexpr size_t kPiece = 64u << 10;
    CLzEncoder encoder(parse);
    for (size_t at = 0; at < data.size(); at += kPiece) {
        encoder.Write(data.data() + at, std::min(kPiece, data.size() - at));
        encoder.Output().Take(out);
    }
    encoder.EndRun();
    encoder.Finish();
    encoder.Output().Take(out);
    seconds = Seconds(t);
    return out;
}

// The Python standard library's folder as the system's python3 (or else the first on the path)
// reports it, or "".
std::string PythonLibrary()
{
    std::FILE* p = popen("{ /usr/bin/python3 -c 'import sysconfig; print(sysconfig.get_path(\"stdlib\"))' ||"
                         " python3 -c 'import sysconfig; print(sysconfig.get_path(\"stdlib\"))'; } 2>/dev/null", "r");
    if (!p)
        return "";
    char line[4096] = {};
    std::string path = std::fgets(line, sizeof line, p) ? line : "";
    pclose(p);
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r'))
        path.pop_back();
    return path;
}

size_t External(const std::string& command, const std::string& data)
{
    const std::string path = (fs::temp_directory_path() / "package-bench.in").string();
    std::ofstream(path, std::ios::binary) << data;
    std::FILE* p = popen((command + " < " + path + " | wc -c").c_str(), "r");
    unsigned long long size = 0;
    if (p) {
        if (std::fscanf(p, "%llu", &size) != 1)
            size = 0;
        pclose(p);
    }
    fs::remove(path);
    return size_t(size);
}

void Report(const std::string& name, const std::string& data)
{
    double optimalSeconds = 0, greedySeconds = 0;
    const std::vector<uint8_t> optimal = Encode(data, CLzEncoder::kOptimal, optimalSeconds);
    const std::vector<uint8_t> greedy = Encode(data, CLzEncoder::kGreedy, greedySeconds);
    for (int run = 1; run < kRuns; ++run) {
        double seconds = 0;
        Encode(data, CLzEncoder::kOptimal, seconds);
        optimalSeconds = std::min(optimalSeconds, seconds);
        Encode(data, CLzEncoder::kGreedy, seconds);
        greedySeconds = std::min(greedySeconds, seconds);
    }

    // Decode through the installer's reader: a description record of the whole corpus.
    std::vector<uint8_t> package;
    {
        CLzEncoder encoder;
        const uint8_t head[5] = {CPackageReader::kTagDescription, 0, 0, 0, 0};
        encoder.Write(head, sizeof head);
        encoder.Write(data.data(), data.size());
        encoder.EndRun();
        encoder.Finish();
        encoder.Output().Take(package);
    }
    CMemoryStream source;
    source.Write(package.data(), int32_t(package.size()));
    CPackageReader reader(source, 0, uint32_t(package.size()));
    uint32_t decoded = 0;
    double decodeSeconds = 0;
    for (int run = 0; run < kRuns; ++run) {
        reader.Rewind();
        const double t = CpuNow();
        reader.NextTag();
        reader.ReadRecordHeader();
        decoded = reader.MeasureData();
        const double seconds = Seconds(t);
        decodeSeconds = run == 0 ? seconds : std::min(decodeSeconds, seconds);
    }

    const double mb = double(data.size()) / 1e6;
    std::printf("%-10s %8.1f MB  optimal %6.2f%% %6.1f MB/s  greedy %6.2f%% %6.1f MB/s  (optimal %.2f%% smaller)"
                "  gzip -9 %6.2f%%  xz -9 %6.2f%%  decode %6.1f MB/s%s\n",
                name.c_str(), mb, 100.0 * double(optimal.size()) / double(data.size()), mb / optimalSeconds,
                100.0 * double(greedy.size()) / double(data.size()), mb / greedySeconds,
                100.0 * (1.0 - double(optimal.size()) / double(greedy.size())),
                100.0 * double(External("gzip -9", data)) / double(data.size()),
                100.0 * double(External("xz -9", data)) / double(data.size()), mb / decodeSeconds,
                decoded == data.size() ? "" : "  DECODE MISMATCH");
}

// The packable part of a tree, linked (or copied) into `to`: regular files whose name ends in
// `suffix` (any when empty), below folders other than site-packages and dist-packages when a
// suffix is given; names Windows can create, in ASCII, the first of those that differ only in
// letter case. Symbolic links are left out. Returns the files' bytes; count gets their number.
uint64_t PackableCopy(const fs::path& from, const fs::path& to, const std::string& suffix, size_t& count)
{
    std::error_code error;
    fs::create_directories(to, error);
    std::vector<fs::directory_entry> children;
    for (fs::directory_iterator it(from, fs::directory_options::skip_permission_denied, error), end;
         !error && it != end; it.increment(error))
        children.push_back(*it);
    std::sort(children.begin(), children.end());
    std::set<std::string> taken;
    uint64_t bytes = 0;
    for (const fs::directory_entry& child : children) {
        const std::string name = child.path().filename().string();
        const bool ascii = std::all_of(name.begin(), name.end(), [](char c) { return c > 0x20 && c < 0x7F; });
        std::error_code e;
        if (!ascii || !IsWindowsName(name) || child.is_symlink(e) || !taken.insert(LowerAscii(name)).second)
            continue;
        if (child.is_directory(e)) {
            if (!suffix.empty() && (name == "site-packages" || name == "dist-packages"))
                continue;
            bytes += PackableCopy(child.path(), to / name, suffix, count);
        } else if (child.is_regular_file(e) &&
                   (suffix.empty() || (name.size() > suffix.size() &&
                                       name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0))) {
            fs::create_hard_link(child.path(), to / name, e);
            if (e && !fs::copy_file(child.path(), to / name, e))
                continue;
            bytes += fs::file_size(child.path(), e);
            ++count;
        }
    }
    return bytes;
}

// CPU time (user and system) of one run of the packer on the tree, or a negative number when
// it failed.
double PackSeconds(const fs::path& work, const fs::path& tree)
{
    const std::string stub = (work / "stub.exe").string(), desc = (work / "description.txt").string();
    const std::string root = tree.string(), out = (work / "Setup.exe").string();
    const char* argv[] = {MKINSTALLER_PATH, "build", "--stub", stub.c_str(), "--desc", desc.c_str(),
                          "--root", root.c_str(), "-o", out.c_str(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0); // the summary line
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0); // the progress bar
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (spawned != 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double BestPackSeconds(const fs::path& work, const fs::path& tree)
{
    double best = PackSeconds(work, tree);
    for (int run = 1; run < kRuns && best >= 0; ++run)
        best = std::min(best, PackSeconds(work, tree));
    return best;
}

// The packer on a tree, whole process, CPU time, best of kRuns; then on the same bytes as one
// file, so that what a file costs beyond its bytes shows.
void ReportTree(const std::string& name, const fs::path& source, const std::string& suffix)
{
    const fs::path work = fs::temp_directory_path() / ("package-bench-" + std::to_string(getpid()));
    std::error_code error;
    fs::remove_all(work, error);
    fs::create_directories(work / "one", error);
    // A stub the packer accepts: a PE image of no sections that names the installer's window
    // class, at the shipped stub's size.
    std::string stub(128u << 10, '\0');
    stub.replace(0, 2, "MZ");
    stub[0x3C] = 0x40;
    stub.replace(0x40, 4, std::string("PE\0\0", 4));
    stub.replace(0x100, 17, "CAPPDEF_INSTALLER");
    std::ofstream(work / "stub.exe", std::ios::binary) << stub;
    std::ofstream(work / "description.txt", std::ios::binary) << "<InsWin>\nBench\n\n<Folder>\n\"Bench\"\n";
    size_t files = 0;
    const uint64_t bytes = PackableCopy(source, work / "tree", suffix, files);
    {
        std::ofstream one(work / "one" / "all.bin", std::ios::binary);
        for (fs::recursive_directory_iterator it(work / "tree"), end; it != end; ++it)
            if (it->is_regular_file() && it->file_size() > 0)
                one << std::ifstream(it->path(), std::ios::binary).rdbuf(); // an empty one would fail the stream
    }
    const double tree = files ? BestPackSeconds(work, work / "tree") : -1;
    const double one = tree >= 0 ? BestPackSeconds(work, work / "one") : -1;
    fs::remove_all(work, error);
    if (tree < 0 || one < 0) {
        std::printf("%-10s skipped: %s\n", name.c_str(), files ? "the packer failed on it" : "no file there");
        return;
    }
    const double mb = double(bytes) / 1e6;
    std::printf("%-10s tree %5zu files %7.1f MB  packer %5.2f s CPU %6.1f MB/s  as one file %6.1f MB/s"
                "  (%+.0f us a file)\n",
                name.c_str(), files, mb, tree, mb / tree, mb / one, (tree - one) / double(files) * 1e6);
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        Report(fs::path(argv[i]).filename().string(), Collect(argv[i]));
    if (argc == 1) {
        for (const char* root : {"/usr/include", "/usr/bin"})
            Report(fs::path(root).filename().string(), Collect(root));
        // Python sources: deep indentation and tables, the input that makes match searches long.
        const std::string python = PythonLibrary();
        const std::string sources = python.empty() ? std::string() : Collect(python, ".py");
        if (sources.empty())
            std::printf("python     skipped: no Python standard library found through python3\n");
        else
            Report("python", sources);
    }
    std::string noise(8u << 20, '\0');
    std::mt19937 rng(1);
    for (auto& c : noise)
        c = char(rng());
    Report("random", noise);
    if (argc == 1) {
        const std::string python = PythonLibrary();
        ReportTree("python", python.empty() ? fs::path("/nonexistent") : fs::path(python), ".py");
        ReportTree("doc", "/usr/share/doc", "");
    }
    return 0;
}

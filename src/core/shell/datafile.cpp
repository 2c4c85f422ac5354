#include "core/shell/datafile.h"

#include <algorithm>
#include <cmath>

#include "core/shell/fieldline.h"
#include "core/shell/filenames.h"
#include "core/shell/numtext.h"
#include "core/shell/startup.h"
#include "core/shell/textfile.h"

namespace kinhom {

const char* const kDataFileHeader = "t, cA, cB, cC, cP, cQ, k, T, lambda, lamda(inf), res3, res4, exclude(0|-1)";

const char* const kLambdaUnendlichRule =
    "The lambda evaluations need lambda(t = infin.) > 0. Shift all readings (every lambda and "
    "lambda(t = infin.)) by the same amount, so that lambda(t = infin.) becomes positive.";

namespace {

constexpr std::size_t kFieldsPerPoint = 13;
constexpr int kFirstPointLine = 5; // 1-based

// Reads one point line into p; lambdaInf receives field 10.
bool ParsePointLine(const std::string& line, ExpPunkt& p, double& lambdaInf, std::string& error)
{
    std::vector<std::string> f;
    if (!SplitExactly(line, kFieldsPerPoint, f, error)) return false;
    static const char* const names[kFieldsPerPoint] = {"t",      "cA",          "cB",   "cC",   "cP",
                                                       "cQ",     "k",           "T",    "lambda",
                                                       "lambda(inf)", "res3", "res4", "exclude"};
    auto fail = [&](int i) {
        error = "field " + std::to_string(i + 1) + " (" + names[i] + "): " + error;
        return false;
    };
    // t is kept as read but written in single precision: a time beyond that
    // range would load and could then not be saved.
    float tSingle = 0;
    if (!ParseSingleField(f[0], tSingle, error) || !ParseDoubleField(f[0], p.t, error)) return fail(0);
    for (int s = 1; s <= 5; ++s)
        if (!ParseDoubleField(f[s], p.c[s], error)) return fail(s);
    if (!ParseDoubleField(f[6], p.k, error)) return fail(6);
    if (!ParseDoubleField(f[7], p.T, error)) return fail(7);
    if (!ParseSingleField(f[8], p.lambda, error)) return fail(8);
    if (!ParseDoubleField(f[9], lambdaInf, error)) return fail(9);
    if (!ParseSingleField(f[10], p.res3, error)) return fail(10);
    if (!ParseSingleField(f[11], p.res4, error)) return fail(11);
    if (!ParseIntegerField(f[12], p.exclude, error)) return fail(12);
    return true;
}

// The factor that converts the times of an appended file into the unit in
// memory (1 when nothing is converted).
double AppendTimeFactor(const Declare& d, const DataFileContent& f, bool append)
{
    if (!append || d.AnzahlPunkte <= 0) return 1.0;
    const int from = ZeiteinheitIndexOf(f.Zeiteinheit);
    const int to = ZeiteinheitIndexOf(d.Zeiteinheit);
    if (from != to && d.ZeitFaktor.inRange(from, to)) return d.ZeitFaktor(from, to);
    return 1.0;
}

} // namespace

std::int16_t ZeiteinheitIndexOf(const std::string& unit)
{
    for (int i = 0; i < kTimeUnitCount; ++i)
        if (unit == kZeiteinheiten[i]) return static_cast<std::int16_t>(i);
    return 0;
}

bool ParseDataFile(const std::vector<std::string>& lines, DataFileContent& out, std::string& error,
                   int& errorLine)
{
    DataFileContent f;
    errorLine = 0;
    if (lines.size() < 4) {
        errorLine = static_cast<int>(lines.size()) + 1;
        error = "Input past end of file: the file ends before the point count (line 4)";
        return false;
    }
    f.Kommentar = lines[0];
    f.Zeiteinheit = ReadTextField(lines[1]);

    long long n = 0;
    std::vector<std::string> countField;
    if (!SplitExactly(lines[3], 1, countField, error) || !ParseLongField(countField[0], n, error)) {
        errorLine = 4;
        error = "point count: " + error;
        return false;
    }
    if (n < 0 || n > kMaxExpPunkte) {
        errorLine = 4;
        error = "point count " + std::to_string(n) + " is out of range (0 to " + std::to_string(kMaxExpPunkte) + ")";
        return false;
    }
    const long long available = static_cast<long long>(lines.size()) - (kFirstPointLine - 1);
    if (n > available) {
        errorLine = static_cast<int>(lines.size()) + 1;
        error = "Input past end of file: line 4 announces " + std::to_string(n) + " points, the file holds " +
                std::to_string(available) + " point lines";
        return false;
    }

    f.Punkte.resize(static_cast<std::size_t>(n));
    for (long long i = 0; i < n; ++i) {
        const std::size_t lineIndex = static_cast<std::size_t>(kFirstPointLine - 1 + i);
        double lambdaInf = 0;
        if (!ParsePointLine(lines[lineIndex], f.Punkte[static_cast<std::size_t>(i)], lambdaInf, error)) {
            errorLine = static_cast<int>(lineIndex) + 1;
            return false;
        }
        if (lambdaInf > 0) f.LambdaUnendlich = lambdaInf;
        if (lambdaInf < 0) f.NegativeLambdaUnendlich = lambdaInf;
    }
    out = std::move(f);
    return true;
}

bool ReadDataFile(const std::string& fileName, DataFileContent& out, std::string& error)
{
    std::vector<std::string> lines;
    std::string readError;
    if (!ReadTextLines(fileName, lines, readError)) {
        error = FileFaultText(readError, fileName, 0);
        return false;
    }
    int line = 0;
    std::string parseError;
    if (!ParseDataFile(lines, out, parseError, line)) {
        error = FileFaultText(parseError, fileName, line);
        return false;
    }
    return true;
}

bool CanApplyDataFile(const Declare& d, const DataFileContent& f, bool append, std::string& error, int& errorLine)
{
    errorLine = 0;
    const long long total = static_cast<long long>(append ? d.AnzahlPunkte : 0) +
                            static_cast<long long>(f.Punkte.size());
    if (total > kMaxExpPunkte) {
        error = "Too many points: " + std::to_string(total) + " points together, at most " +
                std::to_string(kMaxExpPunkte) + " can be held";
        return false;
    }
    // A converted time must still be one that can be written back.
    const double factor = AppendTimeFactor(d, f, append);
    for (std::size_t i = 0; i < f.Punkte.size(); ++i) {
        const double t = f.Punkte[i].t;
        if (!FitsSingle(t * factor)) {
            errorLine = kFirstPointLine + static_cast<int>(i);
            error = "Overflow: t = " + GenDouble(t) + " " + f.Zeiteinheit + " is too large for single precision in " +
                    d.Zeiteinheit;
            return false;
        }
    }
    return true;
}

void ApplyDataFile(Declare& d, const DataFileContent& f, bool append)
{
    const double factor = AppendTimeFactor(d, f, append);
    if (append && d.AnzahlPunkte > 0) {
        // Times of the appended file are converted into the unit in memory, so
        // that every time of the table is in one unit.
        d.ZeiteinheitIndex = ZeiteinheitIndexOf(d.Zeiteinheit);
    } else {
        d.Zeiteinheit = f.Zeiteinheit;
        d.ZeiteinheitIndex = ZeiteinheitIndexOf(f.Zeiteinheit);
    }
    if (!append) {
        d.Kommentar = f.Kommentar;
        d.AnzahlPunkte = 0;
    }

    const int first = d.AnzahlPunkte + 1;
    const int n = static_cast<int>(f.Punkte.size());
    if (n > 0) {
        if (append)
            d.ExpPunkte.resize(static_cast<std::size_t>(first + n));
        else
            d.ExpPunkte.assign(static_cast<std::size_t>(n + 1), ExpPunkt{});
    } else if (!append) {
        d.ExpPunkte.assign(2, ExpPunkt{});
    }

    d.Lambda0 = 0;
    for (int i = 0; i < n; ++i) {
        ExpPunkt p = f.Punkte[static_cast<std::size_t>(i)];
        p.t *= factor;
        if (p.t == 0 && p.exclude == 0) d.Lambda0 = p.lambda;
        d.ExpPunkte[static_cast<std::size_t>(first + i)] = p;
    }
    if (f.LambdaUnendlich > 0) d.LambdaUnendlich = f.LambdaUnendlich;
    d.AnzahlPunkte += n;
}

bool LambdaUnendlichAccepted(double v, std::string& why)
{
    if (!(v < 0)) return true;
    why = "lambda(t = infin.) = " + GenDouble(v) + " is not taken." + kCRLF + kLambdaUnendlichRule;
    return false;
}

namespace {

// A negative lambda(inf) of a loaded file was not taken: the user learns why.
void TellNegativeLambda(const Declare& d, const DataFileContent& f, const std::string& fileName, KinNotify& notify)
{
    if (f.NegativeLambdaUnendlich == 0) return;
    const std::string text = "The data file gives lambda(t = infin.) = " + GenDouble(f.NegativeLambdaUnendlich) +
                             "; it was not taken, lambda(t = infin.) is " + GenDouble(d.LambdaUnendlich) + "." +
                             kCRLF + kLambdaUnendlichRule + kCRLF + "File: " + fileName;
    notify.message(text, "message from LoadDataFile", KinNotify::Exclamation);
}

} // namespace

bool LoadDataFile(Declare& d, const std::string& fileName, bool append, std::string& error, KinNotify& notify)
{
    DataFileContent f;
    if (!ReadDataFile(fileName, f, error)) return false;
    int line = 0;
    if (!CanApplyDataFile(d, f, append, error, line)) {
        error = FileFaultText(error, fileName, line);
        return false;
    }
    ApplyDataFile(d, f, append);
    TellNegativeLambda(d, f, fileName, notify);
    return true;
}

bool LoadChosenDataFile(Declare& d, const std::string& folder, const std::string& name, bool append,
                        std::string& error, KinNotify& notify)
{
    d.ExpDatenPfad = folder;
    const std::string fullName = JoinFolderName(folder, name);
    DataFileContent f;
    if (!ReadDataFile(fullName, f, error)) return false;
    int line = 0;
    if (!CanApplyDataFile(d, f, append, error, line)) {
        error = FileFaultText(error, fullName, line);
        return false;
    }
    if (append) {
        d.DatenGeaendert = true;
    } else {
        // The old table goes: the new one is the file's, unchanged.
        d.AnzahlPunkte = 0;
        d.DatenGeaendert = false;
    }
    d.DateiName = fullName;
    ApplyDataFile(d, f, append);
    TellNegativeLambda(d, f, fullName, notify);
    return true;
}

std::string DataFileText(const Declare& d)
{
    std::string s;
    s += OneLine(d.Kommentar) + kCRLF;
    s += WriteTextField(OneLine(d.Zeiteinheit)) + kCRLF; // read back as a text field
    s += std::string(kDataFileHeader) + kCRLF;
    const int n = std::max(0, std::min(d.AnzahlPunkte, static_cast<int>(d.ExpPunkte.size()) - 1));
    s += std::to_string(n) + kCRLF;
    const std::string lambdaInf = GenDouble(d.LambdaUnendlich);
    for (int i = 1; i <= n; ++i) {
        const ExpPunkt& p = d.ExpPunkte[static_cast<std::size_t>(i)];
        s += GenSingle(static_cast<float>(p.t));
        for (int c = 1; c <= 5; ++c) s += "," + GenDouble(p.c[c]);
        s += "," + GenDouble(p.k) + "," + GenDouble(p.T) + "," + GenSingle(p.lambda) + "," + lambdaInf + "," +
             GenSingle(p.res3) + "," + GenSingle(p.res4) + "," + std::to_string(p.exclude);
        s += kCRLF;
    }
    return s;
}

namespace {

// A value that would be written as "Inf" or "NaN" could not be read back.
bool PointWritable(const ExpPunkt& p)
{
    bool ok = FitsSingle(p.t) && FitsSingle(p.lambda) && FitsSingle(p.res3) && FitsSingle(p.res4) &&
              std::isfinite(p.k) && std::isfinite(p.T);
    for (int c = 1; c <= 5; ++c) ok = ok && std::isfinite(p.c[c]);
    return ok;
}

} // namespace

bool WriteDataFile(const Declare& d, const std::string& fileName, std::string& error)
{
    if (!std::isfinite(d.LambdaUnendlich)) {
        error = FileFaultText("Overflow: lambda(inf) is not a finite number", fileName, 0);
        return false;
    }
    for (int i = 1; i <= d.AnzahlPunkte && i < static_cast<int>(d.ExpPunkte.size()); ++i) {
        if (!PointWritable(d.ExpPunkte[static_cast<std::size_t>(i)])) {
            error = FileFaultText("Overflow: point " + std::to_string(i) +
                                      " holds a value that cannot be written as a number",
                                  fileName, 0);
            return false;
        }
    }
    std::string writeError;
    if (!WriteTextFileAtomic(fileName, DataFileText(d), writeError)) {
        error = FileFaultText(writeError, fileName, 0);
        return false;
    }
    return true;
}

} // namespace kinhom

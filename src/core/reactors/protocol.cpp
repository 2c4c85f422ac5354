#include "core/reactors/protocol.h"

#include "core/shell/numtext.h"

namespace kinhom {

const std::vector<std::string>& ProtSpaltenNamen()
{
    static const std::vector<std::string> namen = {
        "c0(A)", "c0(B)", "c0(C)", "c0(P)", "c0(Q)", "c(A)", "c(B)", "c(C)", "c(P)", "c(Q)",
        "k1",    "k2",    "k3",    "U(A)",  "t",     "l",    "V",    "V*",   "ksi(1)", "ksi(2)"};
    return namen;
}

void ProtZeileAnhaengen(Declare& d)
{
    const int n = d.ProtZeilen + 1;
    d.ProtMatrix.resize(kProtSpalten, std::size_t(n) + 1, 0.0f, true);
    for (int i = 0; i < kProtSpalten; ++i) {
        const double v = std::size_t(i) < d.ProtokollZeile.size() ? d.ProtokollZeile[std::size_t(i)] : 0.0;
        d.ProtMatrix(std::size_t(i), std::size_t(n)) = static_cast<float>(v);
    }
    d.ProtZeilen = n;
    d.ProtDatenVorhanden = true;
}

void ProtLeeren(Declare& d)
{
    d.ProtMatrix.resize(kProtSpalten, 1);
    d.ProtZeilen = 0;
    d.ProtDatenVorhanden = false;
}

std::string ProtCsvText(const Declare& d, const std::string& trennzeichen, char dec)
{
    const char komma = trennzeichen == "," ? '.' : dec;
    const std::string crlf = "\r\n";
    std::string text;
    const auto& namen = ProtSpaltenNamen();
    for (std::size_t i = 0; i < namen.size(); ++i) text += (i ? trennzeichen : "") + namen[i];
    text += crlf;
    for (int r = 1; r <= d.ProtZeilen; ++r) {
        for (int i = 0; i < kProtSpalten; ++i) {
            if (i) text += trennzeichen;
            const float v = d.ProtMatrix.inRange(i, r) ? d.ProtMatrix(std::size_t(i), std::size_t(r)) : 0.0f;
            if (!IsProtEmptyField(v)) text += GenSingle(v, komma);
        }
        text += crlf;
    }
    return text;
}

std::filesystem::path ProtDateiPfad(const Declare& d, const std::filesystem::path& programFolder)
{
    const std::filesystem::path name(d.ProtDateiName);
    return name.has_parent_path() || name.is_absolute() ? name : programFolder / name;
}

} // namespace kinhom

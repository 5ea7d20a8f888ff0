#include "forms/w4/logic/w4_view_model.h"

#include <array>
#include <cctype>
#include <vector>

#include "forms/w4/logic/entry_model.h"
#include "record/plain_text.h"

namespace wm::w4 {

std::string formatShortDate(CivilDate d)
{
    return std::to_string(d.month) + "/" + std::to_string(d.day) + "/" + std::to_string(d.year);
}

namespace {
std::vector<std::string> words(std::string_view s)
{
    std::vector<std::string> out;
    std::string cur;
    for (char c : s) {
        if (c == ' ' || c == '\t') {
            if (!cur.empty()) out.push_back(std::move(cur));
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) out.push_back(std::move(cur));
    return out;
}

bool isSuffix(std::string w)
{
    for (char& c : w) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (!w.empty() && w.back() == '.') w.pop_back();
    if (!w.empty() && w.front() == ',') w.erase(w.begin());
    static constexpr std::array<std::string_view, 6> kSuffixes{"JR", "SR", "II", "III", "IV", "V"};
    for (std::string_view s : kSuffixes)
        if (w == s) return true;
    return false;
}

std::string join(const std::vector<std::string>& w, std::size_t from, std::size_t to)
{
    std::string out;
    for (std::size_t i = from; i < to; ++i) {
        if (!out.empty()) out += ' ';
        out += w[i];
    }
    return out;
}
}  // namespace

NameParts splitName(std::string_view fullName)
{
    const std::vector<std::string> w = words(fullName);
    if (w.size() < 2) return {join(w, 0, w.size()), {}};
    std::size_t lastStart = w.size() - 1;
    if (w.size() >= 3 && isSuffix(w.back())) lastStart = w.size() - 2;
    std::string first = join(w, 0, lastStart);
    // "Smith, Jr." keeps its comma with the last name.
    if (!first.empty() && first.back() == ',') first.pop_back();
    return {first, join(w, lastStart, w.size())};
}

std::string formatLine6(std::string_view text)
{
    if (isBlank(text)) return {};
    Read<Currency> amount = readMoney(text, "6");
    if (!amount) return std::string(text);
    return formatCurrency(amount.value);
}

// ---- Form W-4 view -------------------------------------------------------

namespace {
// An identity field as saved, shown without characters that would lay it
// out instead of showing it (saved before they were refused).
std::string savedText(SettingsStore& settings, std::string_view key)
{
    return withoutLayoutCharacters(settings.get("User", key, kUnknown));
}
}  // namespace

W4View::W4View(PayRecord& record, WindowState& state, SettingsStore& settings, ErrorScheme& errors, CivilDate today)
    : r_(record), state_(state)
{
    runCommand([&] {
        Procedure p(errors, kName, "Form_Load");
        p.run([&] {
                  lblName = savedText(settings, "UName");
                  lblAddress = savedText(settings, "UAdd");
                  lblCity = savedText(settings, "UCity");
                  lblSSN = savedText(settings, "USSN");
              },
              [&] { lblDate = formatShortDate(today); },
              // The boxes follow the marital status the program withholds at.
              [&] { maritalBox = r_.valMarried >= 0 && r_.valMarried <= 2 ? r_.valMarried : -1; },
              [&] { takeLines(); });
    });
}

void W4View::takeLines()
{
    lblW4Line5 = state_.W4Line5.empty() ? std::to_string(state_.PersWkShtDeps) : state_.W4Line5;
    lblW4Line6 = formatLine6(state_.W4Line6);
}

Certificate W4View::certificate() const
{
    Certificate c;
    c.name = splitName(lblName == kUnknown ? std::string_view() : std::string_view(lblName));
    c.address = lblAddress == kUnknown ? std::string() : lblAddress;
    c.city = lblCity == kUnknown ? std::string() : lblCity;
    c.ssn = lblSSN == kUnknown ? std::string() : lblSSN;
    c.maritalBox = maritalBox;
    c.line5 = lblW4Line5;
    c.line6 = lblW4Line6;
    c.exempt = exemptShown;
    c.date = lblDate;
    return c;
}

// ---- Personal information -------------------------------------------------

std::string ssnForStore(std::string_view text)
{
    for (char c : text)
        if (c >= '0' && c <= '9') return std::string(text);
    return std::string(kUnknown);
}

PersonalInfo::PersonalInfo(PayRecord& record, WindowState& state, SettingsStore& settings, ErrorScheme& errors)
    : r_(record), state_(state), settings_(settings), errors_(errors)
{
    runCommand([&] {
        Procedure p(errors_, kName, "Form_Load");
        p.run([&] {
                  txtName = savedText(settings_, "UName");
                  txtAddress = savedText(settings_, "UAdd");
                  txtCity = savedText(settings_, "UCity");
                  txtSSN = savedText(settings_, "USSN");
              },
              [&] { r_.valMarried = settings_.getInt16("Settings", "MaritalStat", 0, 0, 2); },
              [&] { state_.DontShowMe = settings_.getInt16("User", "DontShow", 0); },
              [&] {
                  if (r_.valMarried >= 0 && r_.valMarried <= 2) optMaritalStatus = r_.valMarried;
              },
              [&] { chkShow = state_.DontShowMe == 0; });
    });
}

void PersonalInfo::selectMarital(int index)
{
    if (index < 0 || index > 2) return;
    optMaritalStatus = index;
    r_.valMarried = static_cast<std::int16_t>(index);
}

void PersonalInfo::setShowAtStart(bool ticked)
{
    chkShow = ticked;
    state_.DontShowMe = ticked ? 0 : 1;
    runCommand([&] {
        Procedure p(errors_, kName, "chkShow_Click");
        p.run([&] { settings_.save("User", "DontShow", std::to_string(state_.DontShowMe)); });
    });
}

std::optional<PersonalInfo::TextProblem> PersonalInfo::textProblem() const
{
    const struct {
        Field field;
        const std::string& text;
        const char* name;
    } fields[] = {{Name, txtName, "The name"},
                  {Address, txtAddress, "The address"},
                  {City, txtCity, "The city, state and ZIP code"}};
    for (const auto& f : fields)
        if (const auto c = firstLayoutCharacter(f.text))
            return TextProblem{f.field, std::string(f.name) + " holds " + describeCharacter(*c) +
                                            ", which would garble it in print. Remove it."};
    return std::nullopt;
}

bool PersonalInfo::exit()
{
    if (isBlank(txtName) || textProblem()) return false;
    bool saved = false;
    runCommand([&] {
        Procedure p(errors_, kName, "cmdExit_Click");
        saved = p.run(
            [&] {
                settings_.save("User", "UName", txtName);
                settings_.save("User", "UAdd", txtAddress);
                settings_.save("User", "UCity", txtCity);
                settings_.save("User", "USSN", ssnForStore(txtSSN));
                settings_.save("Settings", "MaritalStat", std::to_string(r_.valMarried));
            });
    });
    return saved;
}

}  // namespace wm::w4

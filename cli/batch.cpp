#include "cli/batch.h"

#include <cmath>
#include <istream>
#include <ostream>

#include "cli/compute.h"
#include "cli/json.h"

namespace wm::cli {

namespace {

struct InputError {
    std::string message;
};

std::string inputErrorLine(long lineNumber, const std::string& message)
{
    return "{\"line\":" + std::to_string(lineNumber) + ",\"error\":{\"number\":0,\"description\":" +
           json::quote(message) + "}}";
}

void expect(const json::Value& v, json::Value::Kind kind, std::string_view key, const char* what)
{
    if (v.kind != kind)
        throw InputError{std::string(key) + " must be " + what + ", not " + json::kindName(v.kind)};
}

std::int16_t integer(const json::Value& v, std::string_view key, int lo, int hi)
{
    expect(v, json::Value::Kind::Number, key, "a whole number");
    if (v.number != std::floor(v.number))
        throw InputError{std::string(key) + " must be a whole number, not " + std::string(v.raw)};
    if (v.number < lo || v.number > hi)
        throw InputError{std::string(key) + " must be from " + std::to_string(lo) + " to " + std::to_string(hi) +
                         ", not " + std::string(v.raw)};
    return static_cast<std::int16_t>(v.number);
}

std::string text(const json::Value& v, std::string_view key)
{
    expect(v, json::Value::Kind::String, key, "a string");
    return v.string;
}

CalcRequest readRequest(const json::Value& o)
{
    CalcRequest q;
    for (const auto& [key, v] : o.members) {
        if (key == "id") continue;
        if (key == "txtIncome") q.input.txtIncome = text(v, key);
        else if (key == "txt401k") q.input.txt401k = text(v, key);
        else if (key == "txtPreTax") q.input.txtPreTax = text(v, key);
        else if (key == "txtPreFICA") q.input.txtPreFICA = text(v, key);
        else if (key == "chkSelfEmployed") {
            expect(v, json::Value::Kind::Bool, key, "true or false");
            q.input.chkSelfEmployed = v.boolean;
        }
        else if (key == "HowOft") q.HowOft = integer(v, key, 0, 3);
        else if (key == "valMarried") q.valMarried = integer(v, key, 0, 2);
        else if (key == "DepsNumber") q.input.exemptions = std::to_string(integer(v, key, -32768, 32767));
        else if (key == "intState") q.intState = integer(v, key, 0, 41);
        else if (key == "intSMarried") q.intSMarried = integer(v, key, -32768, 32767);
        else if (key == "StateRate") q.StateRate = integer(v, key, -32768, 32767);
        else if (key == "StateDeps") q.StateDeps = integer(v, key, -32768, 32767);
        else if (key == "ILINDeps") q.ILINDeps = integer(v, key, -32768, 32767);
        else if (key == "StateExmp") q.StateExmp = integer(v, key, -32768, 32767);
        else if (key == "Method") q.Method = integer(v, key, -32768, 32767);
        else if (key == "StateAdd") q.StateAdd = text(v, key);
        else if (key == "SPval") {
            expect(v, json::Value::Kind::Number, key, "a number");
            q.SPval = v.number;
        }
        else if (key == "SPtx") q.SPtx = integer(v, key, -32768, 32767);
        else if (key == "settings") {
            expect(v, json::Value::Kind::Object, key, "an object of sections");
            for (const auto& [section, keys] : v.members) {
                expect(keys, json::Value::Kind::Object, "settings." + section, "an object of keys");
                for (const auto& [name, value] : keys.members)
                    q.settings.emplace_back(section, name, text(value, "settings." + section + "." + name));
            }
        }
        // Other keys are ignored, so lines may carry data of their own.
    }
    return q;
}

void amount(std::string& out, const char* key, Currency c)
{
    out += ",\"";
    out += key;
    out += "\":\"";
    out += formatFixed4(c);
    out += '"';
}

}  // namespace

std::string batchLine(std::string_view line, long lineNumber, bool& failed)
{
    failed = true;
    json::Value o;
    std::string parseError;
    if (!json::parse(line, o, parseError)) return inputErrorLine(lineNumber, parseError);
    if (o.kind != json::Value::Kind::Object)
        return inputErrorLine(lineNumber, std::string("a line must be a JSON object, not ") + json::kindName(o.kind));

    CalcRequest q;
    try {
        q = readRequest(o);
    } catch (const InputError& e) {
        return inputErrorLine(lineNumber, e.message);
    }
    const json::Value* id = o.find("id");
    const CalcOutcome res = compute(q);
    failed = res.error.has_value();
    return resultObject(id ? id->raw : std::string_view("null"), res);
}

std::string resultObject(std::string_view idRaw, const CalcOutcome& res)
{
    std::string out = "{\"id\":";
    out += idRaw;
    if (res.error) {
        const ReportSummary& e = *res.error;
        out += ",\"error\":{\"number\":" + std::to_string(e.number) + ",\"description\":" + json::quote(e.description) +
               ",\"module\":" + json::quote(e.module) + ",\"procedure\":" + json::quote(e.procedure) +
               ",\"line\":" + std::to_string(e.line) + "}}";
        return out;
    }
    const PayRecord& r = res.record;
    amount(out, "SSBase", r.SSBase);
    amount(out, "taxBase", r.taxBase);
    amount(out, "ftaxBase", r.ftaxBase);
    amount(out, "amtDed", r.amtDed);
    amount(out, "amt401k", r.amt401k);
    amount(out, "PreTax", r.PreTax);
    amount(out, "SSEmp", r.SSEmp);
    amount(out, "fTax", r.fTax);
    amount(out, "amtFICA", r.amtFICA);
    amount(out, "amtSS", r.amtSS);
    amount(out, "amtMedicare", r.amtMedicare);
    amount(out, "sTax", r.sTax);
    amount(out, "amtLocalTax", r.amtLocalTax);
    amount(out, "amtDedTot", r.amtDedTot);
    amount(out, "amtTotal", r.amtTotal);
    amount(out, "staxBase", r.staxBase);
    amount(out, "PersExmp", r.PersExmp);
    out += ",\"DepsNumber\":" + std::to_string(r.DepsNumber);
    out += ",\"lblModified\":" + json::quote(res.lblModified);
    if (!res.notice.empty()) out += ",\"notice\":" + json::quote(res.notice);
    out += '}';
    return out;
}

BatchResult runBatch(std::istream& in, std::ostream& out, std::ostream* progress)
{
    BatchResult result;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // A byte-order mark may open the input; it is not part of the line.
        if (result.lines == 0 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        bool failed = false;
        out << batchLine(line, ++result.lines, failed) << '\n';
        if (!out) break;  // the output is gone: stop at once
        if (failed) ++result.failed;
        if (progress && result.lines % 10000 == 0)
            *progress << "\r" << result.lines << " lines, " << result.failed << " with errors" << std::flush;
    }
    if (progress && result.lines >= 10000)
        *progress << "\r" << result.lines << " lines, " << result.failed << " with errors\n" << std::flush;
    out.flush();
    return result;
}

}  // namespace wm::cli

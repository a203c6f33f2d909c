// add, derive and delete: the phrase manager's commands for scripts, on the
// same rules (duplicate check, permission rule, 255-character cut, counts).
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "cli/Commands.h"
#include "store/DeriveForm.h"
#include "framework/MessageSink.h"
#include "store/PhraseService.h"
#include "store/PhraseText.h"
#include "store/CurrentUser.h"
#include "store/PhraseRec.h"
#include "store/PhraseType.h"
#include "store/StoreContext.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

const char* const kFormNames[4] = {"it", "he", "she", "they"};

void PrintError(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }

// The options of a command and what is left: its positional arguments.
class CArguments {
public:
    explicit CArguments(const std::vector<std::string>& args) : m_args(args) {}

    // The value of --name, if given (at most once), removed from the arguments.
    std::optional<std::string> Take(const std::string& name) {
        std::optional<std::string> value;
        for (size_t i = 0; i < m_args.size();) {
            if (m_args[i] != name) {
                ++i;
                continue;
            }
            if (i + 1 == m_args.size())
                throw UsageError{name + " needs a value"};
            if (value)
                throw UsageError{name + " given twice"};
            value = m_args[i + 1];
            m_args.erase(m_args.begin() + static_cast<std::ptrdiff_t>(i), m_args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        }
        return value;
    }
    bool TakeFlag(const std::string& name) {
        for (size_t i = 0; i < m_args.size(); ++i)
            if (m_args[i] == name) {
                m_args.erase(m_args.begin() + static_cast<std::ptrdiff_t>(i));
                return true;
            }
        return false;
    }
    // The user the command works as: --user, else the one running it.
    std::string TakeUser() {
        if (std::optional<std::string> user = Take("--user"))
            return *user;
        std::string name;
        GetCurrentUserName(name);
        return name;
    }
    const std::vector<std::string>& Rest() const { return m_args; }

private:
    std::vector<std::string> m_args;
};

int FormByName(const std::string& name) {
    for (int form = 0; form < 4; ++form)
        if (name == kFormNames[form])
            return form;
    return -1;
}

// A text stored with a control character would break the saver's line and
// every export after it.
void ExpectText(const std::string& text, const char* what) {
    if (text.empty())
        throw UsageError{std::string(what) + " must not be empty"};
    if (HoldsControlCharacter(text))
        throw UsageError{std::string(what) + " must not hold line breaks, tabs or other control characters"};
}

// Someone at a terminal can answer a question. On Windows the NUL device
// counts as a character device too, so only a console will do.
bool CanAsk() {
#ifdef _WIN32
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != FALSE;
#else
    return isatty(STDIN_FILENO) != 0;
#endif
}

PhraseInput ParseNoun(CArguments& args) {
    const std::vector<std::string>& rest = args.Rest();
    if (rest.size() != 3)
        throw UsageError{"add noun needs FORM TEXT (FORM: it, he, she or they)"};
    const int form = FormByName(rest[1]);
    if (form < 0)
        throw UsageError{"the form of a noun is it, he, she or they, not \"" + rest[1] + "\""};
    ExpectText(rest[2], "the noun");
    PhraseInput noun;
    noun.phraseType = static_cast<uint8_t>(form);
    noun.texts[0] = rest[2];
    return noun;
}

// The forms not given come from the nearest given form above them.
PhraseInput ParseVerbOrAdverb(CArguments& args, uint8_t phraseType) {
    const std::optional<std::string> he = args.Take("--he");
    const std::optional<std::string> she = args.Take("--she");
    const std::optional<std::string> they = args.Take("--they");
    const std::vector<std::string>& rest = args.Rest();
    if (rest.size() != 2)
        throw UsageError{"add " + rest[0] + " needs one TEXT (and --he, --she, --they for other forms)"};
    ExpectText(rest[1], "the text");
    for (const auto* form : {&he, &she, &they})
        if (*form)
            ExpectText(**form, "a form");
    PhraseInput phrase;
    phrase.phraseType = phraseType;
    phrase.texts = DeriveMissingForms(rest[1], he, she, they);
    return phrase;
}

PhraseInput ParseAdd(CArguments& args) {
    const std::vector<std::string>& rest = args.Rest();
    if (rest.empty())
        throw UsageError{"add needs noun, verb or adverb"};
    if (rest[0] == "noun")
        return ParseNoun(args);
    if (rest[0] == "verb")
        return ParseVerbOrAdverb(args, kVerbType);
    if (rest[0] == "adverb")
        return ParseVerbOrAdverb(args, kAdverbType);
    throw UsageError{"add needs noun, verb or adverb, not \"" + rest[0] + "\""};
}

int32_t ParsePhraseNumber(const std::string& text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError{"a phrase number is a whole number, not \"" + text + "\""};
    return static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10));
}

}  // namespace

int RunAdd(CStoreContext& store, const CommandContext& context) {
    CArguments args(context.args);
    const std::string user = args.TakeUser();
    const bool duplicate = args.TakeFlag("--duplicate");
    const PhraseInput phrase = ParseAdd(args);
    for (const std::string& text : phrase.texts)
        if (text.size() > ColumnText(text).size())
            std::fprintf(stderr, "note: a text is cut to its first %zu characters\n", ColumnText(text).size());

    CPhraseService phrases(store, thePhraseSet);
    if (!duplicate) {
        const DuplicateCheck check = phrases.CheckDuplicate(phrase);
        for (const std::string& cause : check.failures)
            PrintError(WithCause("Unable to check phrase", cause));
        if (check.exists) {
            std::fprintf(stderr, "The %s \"%s\" is there already (--duplicate adds it anyway)\n",
                         KindOfPhraseType(phrase.phraseType) == PhraseKind::Noun ? "noun" : args.Rest()[0].c_str(),
                         ColumnText(phrase.texts[0]).c_str());
            return kExitFailure;
        }
    }
    const AddOutcome added = phrases.Add(phrase, &user);
    if (!added.stored) {
        PrintError(WithCause("Cannot create phrase", WithInitHint(added.failure)));
        return kExitFailure;
    }
    if (!added.lookupFailure.empty())
        PrintError("Unable to select phrase");
    std::printf("%d\n", added.phraseNumber);
    return kExitOk;
}

// Reads and writes nothing: it runs without a data source.
int RunDerive(CStoreContext&, const CommandContext& context) {
    CArguments args(context.args);
    args.TakeUser();  // accepted for the symmetry of the phrase commands; nothing is stored
    const std::optional<std::string> from = args.Take("--from");
    const int source = from ? FormByName(*from) : 0;
    if (source < 0 || source == 3)
        throw UsageError{"--from takes it, he or she"};
    if (args.Rest().size() != 1)
        throw UsageError{"derive needs one TEXT"};
    const std::string& text = args.Rest()[0];
    ExpectText(text, "the text");
    for (int form = source; form < 4; ++form)
        std::printf("%s\t%s\n", kFormNames[form], DeriveForm(text, source, form).c_str());
    return kExitOk;
}

int RunDelete(CStoreContext& store, const CommandContext& context) {
    CArguments args(context.args);
    const std::string user = args.TakeUser();
    if (args.Rest().empty())
        throw UsageError{"delete needs the numbers of the phrases"};
    std::vector<int32_t> numbers;
    for (const std::string& arg : args.Rest())
        numbers.push_back(ParsePhraseNumber(arg));

    int status = kExitOk;
    CPhraseService phrases(store, thePhraseSet);
    phrases.Delete(numbers, user, [&](int32_t number, DeleteOutcome outcome) {
        if (outcome == DeleteOutcome::Refused)
            std::fprintf(stderr, "phrase %d: You do not have permission to delete this item\n", number);
        else if (outcome == DeleteOutcome::NotDeleted && phrases.LastDeleteFailure().empty())
            std::fprintf(stderr, "phrase %d: Could not delete item (there is no such phrase)\n", number);
        else if (outcome == DeleteOutcome::NotDeleted)
            std::fprintf(stderr, "phrase %d: Could not delete item\n%s\n", number,
                         phrases.LastDeleteFailure().c_str());
        if (outcome != DeleteOutcome::Deleted)
            status = kExitFailure;
    });
    return status;
}

namespace {

// Asks on the terminal; true for yes. No one to ask is a usage error.
bool ConfirmEmpty() {
    if (!CanAsk())
        throw UsageError{"empty asks first; give --yes when no one can answer"};
    std::printf("Are you sure you want to delete ALL phrases in the database?\n"
                "WARNING: This operation cannot be undone [y/N] ");
    std::fflush(stdout);
    std::string answer;
    if (!std::getline(std::cin, answer))
        throw UsageError{"empty asks first; give --yes when no one can answer"};
    return answer == "y" || answer == "Y" || answer == "yes";
}

int ReportEmpty(const EmptyOutcome& outcome, const std::string& owner) {
    switch (outcome.status) {
        case EmptyStatus::Emptied:
            return kExitOk;
        case EmptyStatus::Refused:
            std::fprintf(stderr, "You do not have permission to delete this item (the database belongs to %s)\n",
                         owner.c_str());
            break;
        case EmptyStatus::NotRestartable:
        case EmptyStatus::Failed:
            PrintError(WithInitHint(outcome.failure.empty() ? "Cannot empty database" : outcome.failure));
            break;
        case EmptyStatus::Incomplete:
            std::fprintf(stderr, "Cannot empty database\n%zu phrases could not be deleted.\n", outcome.undeleted);
            break;
    }
    return kExitFailure;
}

}  // namespace

// The owner's Empty: every phrase goes. Asks on a terminal, unless --yes.
int RunEmpty(CStoreContext& store, const CommandContext& context) {
    CArguments args(context.args);
    const std::string user = args.TakeUser();
    const bool confirmed = args.TakeFlag("--yes");
    if (!args.Rest().empty())
        throw UsageError{"empty takes no arguments but --user NAME and --yes"};

    const CConfigRecord& config = store.m_configRecord;
    store.m_configRecord.Recount();
    CPhraseService phrases(store, thePhraseSet);
    if (!phrases.MayEmpty(user))
        return ReportEmpty({EmptyStatus::Refused, 0, ""}, config.m_Administrator);
    if (!confirmed && !ConfirmEmpty())
        return kExitOk;
    return ReportEmpty(phrases.Empty(user), config.m_Administrator);
}

// Parser of resource scripts (the subset the module's resources use).
//
//   script    => statement*
//   statement => LANGUAGE expr, expr
//              | STRINGTABLE option* BEGIN (expr [,] string)* END
//              | name (DIALOG | DIALOGEX) option* expr, expr, expr, expr [, expr] dlgopt* block
//              | name (MENU | MENUEX) option* BEGIN menuitem* END
//              | name othertype (string | ... BEGIN ... END)          (skipped)
//   dlgopt    => STYLE style | EXSTYLE style | CAPTION string | FONT expr, string [, expr]*
//              | MENU name | CLASS (string | name) | LANGUAGE expr, expr | VERSION expr
//              | CHARACTERISTICS expr
//   block     => (BEGIN | '{') control* (END | '}')
//   control   => CONTROL text, id, class, style, x, y, cx, cy [, exstyle [, helpid]]
//              | LTEXT...PUSHBOX text, id, x, y, cx, cy [, style [, exstyle [, helpid]]]
//              | EDITTEXT...SCROLLBAR id, x, y, cx, cy [, style [, exstyle [, helpid]]]
//              | ICON text, id, x, y [, cx, cy [, style [, exstyle [, helpid]]]]
//   style     => [NOT] expr ('|' [NOT] expr)*     (added to the statement's default style)
//   expr      => C integer expression over numbers, #defined names and predefined constants
//   menuitem  => MENUITEM SEPARATOR | MENUITEM string, expr [,] flag* | POPUP string [,] flag*
//                BEGIN menuitem* END       (MENUEX: MENUITEM string [, id [, type [, state]]])
#include "resources/RcLexer.h"
#include "resources/RcNames.h"

#include "win/commctrl.h"
#include "win/winctrl.h"
#include "win/winuser.h"
#include "win/winx_rc.h"

#include <algorithm>
#include <cwctype>

namespace winx {
namespace {

using rc::Token;
using rc::TokenKind;

constexpr int kMaxDefineDepth = 32;
constexpr int kMaxMenuDepth = 16;
constexpr DWORD kControlBase = WS_CHILD | WS_VISIBLE;
constexpr DWORD kComboTypeMask = 0x0003; // CBS_SIMPLE, CBS_DROPDOWN, CBS_DROPDOWNLIST

struct ParseError {
    int line;
    std::wstring text;
};

std::wstring upper(std::wstring s) {
    for (auto& c : s)
        c = static_cast<wchar_t>(std::towupper(c));
    return s;
}

struct ControlKind {
    const wchar_t* keyword;
    const wchar_t* className;
    DWORD defaultStyle; // added to WS_CHILD | WS_VISIBLE
    bool hasText;
};

const ControlKind kControlKinds[] = {
    {L"LTEXT", L"STATIC", SS_LEFT | WS_GROUP, true},
    {L"RTEXT", L"STATIC", SS_RIGHT | WS_GROUP, true},
    {L"CTEXT", L"STATIC", SS_CENTER | WS_GROUP, true},
    {L"PUSHBUTTON", L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, true},
    {L"DEFPUSHBUTTON", L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, true},
    {L"PUSHBOX", L"BUTTON", BS_PUSHBOX | WS_TABSTOP, true},
    {L"CHECKBOX", L"BUTTON", BS_CHECKBOX | WS_TABSTOP, true},
    {L"AUTOCHECKBOX", L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, true},
    {L"STATE3", L"BUTTON", BS_3STATE | WS_TABSTOP, true},
    {L"AUTO3STATE", L"BUTTON", BS_AUTO3STATE | WS_TABSTOP, true},
    {L"RADIOBUTTON", L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, true},
    {L"AUTORADIOBUTTON", L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, true},
    {L"GROUPBOX", L"BUTTON", BS_GROUPBOX, true},
    {L"EDITTEXT", L"EDIT", ES_LEFT | WS_BORDER | WS_TABSTOP, false},
    {L"COMBOBOX", L"COMBOBOX", CBS_SIMPLE | WS_TABSTOP, false},
    {L"LISTBOX", L"LISTBOX", LBS_NOTIFY | WS_BORDER, false},
    {L"SCROLLBAR", L"SCROLLBAR", 0, false},
};

const wchar_t* const kLoadOptions[] = {L"DISCARDABLE", L"MOVEABLE",   L"PURE",
                                       L"PRELOAD",     L"LOADONCALL", L"IMPURE",
                                       L"FIXED",       L"SHARED",     L"NONSHARED"};

const wchar_t* const kPredefinedClasses[] = {L"BUTTON",  L"EDIT",      L"STATIC",
                                             L"LISTBOX", L"SCROLLBAR", L"COMBOBOX"};

class Parser {
public:
    Parser(rc::LexResult lexed, std::wstring_view fileName)
        : lexed_(std::move(lexed)), file_(fileName) {}

    ResourceScript run() {
        for (const rc::Problem& p : lexed_.problems)
            report(p.line, p.text);
        while (!atEnd()) {
            const std::size_t start = i_;
            try {
                statement();
            } catch (const ParseError& e) {
                report(e.line, e.text);
                recover(start);
            }
        }
        return std::move(out_);
    }

private:
    // ---- Tokens ------------------------------------------------------------------------------
    const Token& tok() const { return lexed_.tokens[i_]; }
    const Token& ahead(std::size_t n) const {
        return lexed_.tokens[std::min(i_ + n, lexed_.tokens.size() - 1)];
    }
    bool atEnd() const { return tok().kind == TokenKind::End; }
    void advance() {
        if (!atEnd()) ++i_;
    }

    bool isWord(const Token& t, const wchar_t* word) const {
        return t.kind == TokenKind::Identifier && upper(t.text) == word;
    }
    bool isWord(const wchar_t* word) const { return isWord(tok(), word); }
    bool isPunct(const wchar_t* p) const {
        return tok().kind == TokenKind::Punct && tok().text == p;
    }
    bool isBegin() const { return isWord(L"BEGIN") || isPunct(L"{"); }
    bool isEndOfBlock() const { return isWord(L"END") || isPunct(L"}"); }

    [[noreturn]] void fail(const std::wstring& text) const { throw ParseError{tok().line, text}; }

    // Something expected is missing: reported on the line where it should have been (the
    // previous token's line when the current token starts a new line).
    [[noreturn]] void missing(const std::wstring& what) const {
        const bool newLine = i_ > 0 && lexed_.tokens[i_ - 1].line != tok().line;
        throw ParseError{newLine ? lexed_.tokens[i_ - 1].line : tok().line,
                         L"expected " + what + L" but found " + describe(tok())};
    }

    std::wstring describe(const Token& t) const {
        switch (t.kind) {
        case TokenKind::End:
            return L"end of file";
        case TokenKind::String:
            return L"\"" + t.text + L"\"";
        case TokenKind::Number:
            return std::to_wstring(t.value);
        default:
            return L"'" + t.text + L"'";
        }
    }

    void expectComma() {
        if (!isPunct(L",")) missing(L"','");
        advance();
    }
    bool optionalComma() {
        if (!isPunct(L",")) return false;
        advance();
        return true;
    }
    void expectBegin() {
        if (!isBegin()) missing(L"BEGIN");
        advance();
    }

    void report(int line, const std::wstring& text) {
        out_.problems.push_back(std::wstring(file_) + L":" + std::to_wstring(line) + L": " + text);
    }

    // After an error: leave the statement's block, or stop before the next statement.
    void recover(std::size_t start) {
        int depth = 0;
        for (std::size_t k = start; k < i_; ++k) {
            const Token& t = lexed_.tokens[k];
            if (isWord(t, L"BEGIN") || (t.kind == TokenKind::Punct && t.text == L"{")) ++depth;
            if (isWord(t, L"END") || (t.kind == TokenKind::Punct && t.text == L"}")) --depth;
        }
        if (i_ == start) advance();
        if (depth > 0) {
            skipToDepthZero(depth);
            return;
        }
        while (!atEnd()) {
            if (isBegin()) {
                skipBlock();
                return;
            }
            if (startsResource()) return;
            advance();
        }
    }

    bool startsResource() const {
        static const wchar_t* const kTypes[] = {L"DIALOG", L"DIALOGEX", L"MENU", L"MENUEX"};
        if (isWord(L"STRINGTABLE")) return true;
        for (const wchar_t* type : kTypes) {
            if (isWord(ahead(1), type)) return true;
        }
        return false;
    }

    void skipToDepthZero(int depth) {
        while (!atEnd() && depth > 0) {
            if (isBegin()) ++depth;
            if (isEndOfBlock()) --depth;
            advance();
        }
    }

    void skipBlock() {
        expectBegin();
        skipToDepthZero(1);
    }

    // ---- Expressions ---------------------------------------------------------------------------
    std::int64_t resolveName(const Token& t) {
        auto it = lexed_.defines.find(t.text);
        if (it != lexed_.defines.end()) return expandDefine(t, it->second);
        std::int64_t value = 0;
        if (rc::lookupConstant(t.text, value)) return value;
        throw ParseError{t.line, L"unknown name '" + t.text + L"'"};
    }

    std::int64_t expandDefine(const Token& name, const std::vector<Token>& body) {
        if (body.empty()) throw ParseError{name.line, L"'" + name.text + L"' has no value"};
        if (++defineDepth_ > kMaxDefineDepth) {
            defineDepth_ = 0;
            throw ParseError{name.line, L"'" + name.text + L"' refers to itself"};
        }
        std::vector<Token> tokens = body;
        tokens.push_back(Token{TokenKind::End, {}, 0, name.line});
        std::swap(tokens, lexed_.tokens);
        const std::size_t saved = i_;
        i_ = 0;
        std::int64_t value = 0;
        try {
            value = expression();
            if (!atEnd()) fail(L"unexpected " + describe(tok()) + L" in '" + name.text + L"'");
        } catch (...) {
            std::swap(tokens, lexed_.tokens);
            i_ = saved;
            --defineDepth_;
            throw;
        }
        std::swap(tokens, lexed_.tokens);
        i_ = saved;
        --defineDepth_;
        return value;
    }

    std::int64_t primary() {
        const Token t = tok();
        if (t.kind == TokenKind::Number) {
            advance();
            return t.value;
        }
        if (t.kind == TokenKind::Identifier && !isWord(L"NOT")) {
            advance();
            return resolveName(t);
        }
        if (isPunct(L"(")) {
            advance();
            const std::int64_t v = expression();
            if (!isPunct(L")")) missing(L"')'");
            advance();
            return v;
        }
        missing(L"a number");
    }

    std::int64_t unary() {
        if (isPunct(L"-")) {
            advance();
            return -unary();
        }
        if (isPunct(L"~")) {
            advance();
            return ~unary();
        }
        if (isPunct(L"+")) {
            advance();
            return unary();
        }
        return primary();
    }

    std::int64_t term() {
        std::int64_t v = unary();
        while (isPunct(L"*") || isPunct(L"/")) {
            const bool mul = isPunct(L"*");
            advance();
            const std::int64_t r = unary();
            v = mul ? v * r : (r == 0 ? 0 : v / r);
        }
        return v;
    }

    std::int64_t sum() {
        std::int64_t v = term();
        while (isPunct(L"+") || isPunct(L"-")) {
            const bool plus = isPunct(L"+");
            advance();
            const std::int64_t r = term();
            v = plus ? v + r : v - r;
        }
        return v;
    }

    std::int64_t expression() {
        std::int64_t v = sum();
        while (isPunct(L"|") || isPunct(L"&")) {
            const bool orOp = isPunct(L"|");
            advance();
            const std::int64_t r = sum();
            v = orOp ? (v | r) : (v & r);
        }
        return v;
    }

    int number() { return static_cast<int>(static_cast<std::int32_t>(expression())); }

    // `[NOT] expr ('|' [NOT] expr)*`, applied to a starting style.
    DWORD style(DWORD base) {
        DWORD value = base;
        for (;;) {
            const bool negate = isWord(L"NOT");
            if (negate) advance();
            const DWORD term = static_cast<DWORD>(sum());
            value = negate ? (value & ~term) : (value | term);
            if (!isPunct(L"|")) return value;
            advance();
        }
    }

    std::wstring string() {
        if (tok().kind == TokenKind::String) {
            std::wstring s = tok().text;
            advance();
            return s;
        }
        if (tok().kind == TokenKind::Identifier) {
            auto it = lexed_.defines.find(tok().text);
            if (it != lexed_.defines.end() && it->second.size() == 1 &&
                it->second[0].kind == TokenKind::String) {
                advance();
                return it->second[0].text;
            }
        }
        fail(L"expected a quoted text but found " + describe(tok()));
    }

    // ---- Statements ----------------------------------------------------------------------------
    void statement() {
        if (isWord(L"LANGUAGE")) {
            advance();
            number();
            expectComma();
            number();
            return;
        }
        if (isWord(L"STRINGTABLE")) return stringTable();
        if (tok().kind == TokenKind::Punct) fail(L"unexpected " + describe(tok()));
        const Token name = tok();
        advance();
        const Token type = tok();
        const std::wstring typeName = upper(type.text);
        if (type.kind == TokenKind::Identifier &&
            (typeName == L"DIALOG" || typeName == L"DIALOGEX")) {
            advance();
            return dialog(name, typeName == L"DIALOGEX");
        }
        if (type.kind == TokenKind::Identifier && (typeName == L"MENU" || typeName == L"MENUEX")) {
            advance();
            return menu(name, typeName == L"MENUEX");
        }
        if (type.kind == TokenKind::End || type.kind == TokenKind::Punct) {
            throw ParseError{name.line, L"expected a resource type after " + describe(name)};
        }
        otherResource(type);
    }

    void otherResource(const Token& type) {
        advance();
        if (tok().kind == TokenKind::String && tok().line == type.line) {
            advance();
            return;
        }
        while (!atEnd() && !isBegin())
            advance();
        if (!atEnd()) skipBlock();
    }

    void skipLoadOptions() {
        for (bool found = true; found;) {
            found = false;
            for (const wchar_t* option : kLoadOptions) {
                if (isWord(option)) {
                    advance();
                    found = true;
                }
            }
        }
    }

    // A resource name: a number, a #defined number, or a bare or quoted name.
    void resourceName(const Token& t, int& id, std::wstring& name) {
        id = 0;
        name.clear();
        if (t.kind == TokenKind::Number) {
            id = static_cast<int>(t.value & 0xFFFF);
        } else if (t.kind == TokenKind::String) {
            name = upper(t.text);
        } else if (lexed_.defines.count(t.text)) {
            id = static_cast<int>(resolveName(t) & 0xFFFF);
        } else {
            name = upper(t.text);
        }
        if (id == 0 && name.empty()) throw ParseError{t.line, L"resource number 0 is not allowed"};
    }

    void stringTable() {
        advance();
        skipLoadOptions();
        while (!atEnd() && !isBegin()) {
            if (isWord(L"LANGUAGE") || isWord(L"VERSION") || isWord(L"CHARACTERISTICS")) {
                advance();
                number();
                if (optionalComma()) number();
            } else {
                fail(L"expected BEGIN but found " + describe(tok()));
            }
        }
        expectBegin();
        std::vector<std::pair<UINT, std::wstring>> entries;
        while (!isEndOfBlock()) {
            if (atEnd()) fail(L"STRINGTABLE without END");
            const UINT id = static_cast<UINT>(number()) & 0xFFFF;
            optionalComma();
            entries.emplace_back(id, string());
        }
        advance();
        for (auto& e : entries)
            out_.strings.push_back(std::move(e));
    }

    // ---- Dialogs -------------------------------------------------------------------------------
    void dialog(const Token& nameToken, bool extended) {
        DialogTemplate d;
        captionGiven_ = false;
        resourceName(nameToken, d.id, d.name);
        d.extended = extended;
        d.line = nameToken.line;
        skipLoadOptions();
        d.x = number();
        expectComma();
        d.y = number();
        expectComma();
        d.cx = number();
        expectComma();
        d.cy = number();
        if (optionalComma()) number(); // help id of DIALOGEX
        bool styleGiven = false;
        while (!isBegin())
            dialogOption(d, styleGiven);
        if (!styleGiven) d.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
        if (!d.caption.empty() || captionGiven_) d.style |= WS_CAPTION;
        if (d.hasFont) d.style |= DS_SETFONT;
        captionGiven_ = false;
        expectBegin();
        while (!isEndOfBlock()) {
            if (atEnd()) fail(L"dialog without END");
            d.items.push_back(control(extended));
        }
        advance();
        out_.dialogs.push_back(std::move(d));
    }

    void dialogOption(DialogTemplate& d, bool& styleGiven) {
        const Token t = tok();
        const std::wstring word = upper(t.text);
        if (t.kind != TokenKind::Identifier) fail(L"expected BEGIN but found " + describe(t));
        advance();
        if (word == L"STYLE") {
            d.style = style(0);
            styleGiven = true;
        } else if (word == L"EXSTYLE") {
            d.exStyle = style(0);
        } else if (word == L"CAPTION") {
            d.caption = string();
            captionGiven_ = true;
        } else if (word == L"FONT") {
            font(d);
        } else if (word == L"MENU") {
            const Token m = tok();
            advance();
            resourceName(m, d.menuId, d.menuName);
        } else if (word == L"CLASS") {
            d.className = tok().kind == TokenKind::String ? string() : tok().text;
            if (tok().kind == TokenKind::Identifier) advance();
        } else if (word == L"LANGUAGE") {
            number();
            expectComma();
            number();
        } else if (word == L"VERSION" || word == L"CHARACTERISTICS") {
            number();
        } else {
            throw ParseError{t.line, L"unknown dialog statement " + describe(t)};
        }
    }

    void font(DialogTemplate& d) {
        d.hasFont = true;
        d.pointSize = number();
        expectComma();
        d.faceName = string();
        if (optionalComma()) d.weight = number();
        if (optionalComma()) d.italic = number() != 0;
        if (optionalComma()) d.charset = number();
    }

    const ControlKind* controlKind() const {
        for (const ControlKind& k : kControlKinds) {
            if (isWord(k.keyword)) return &k;
        }
        return nullptr;
    }

    // The text of a control: a quoted text, or a number naming an image resource.
    void controlText(DialogItemTemplate& item) {
        if (tok().kind == TokenKind::String) {
            item.text = string();
            return;
        }
        item.imageId = number() & 0xFFFF;
        item.text = L"#" + std::to_wstring(item.imageId);
    }

    void trailing(DialogItemTemplate& item, bool extended, DWORD base) {
        if (optionalComma()) item.style = style(base);
        if (optionalComma()) item.exStyle = style(0);
        if (optionalComma()) number();          // help id
        if (extended && isBegin()) skipBlock(); // creation data
    }

    void rectangle(DialogItemTemplate& item) {
        item.x = number();
        expectComma();
        item.y = number();
        expectComma();
        item.cx = number();
        expectComma();
        item.cy = number();
    }

    DialogItemTemplate control(bool extended) {
        DialogItemTemplate item;
        item.line = tok().line;
        if (isWord(L"CONTROL")) return genericControl(item, extended);
        if (isWord(L"ICON")) return iconControl(item, extended);
        const ControlKind* kind = controlKind();
        if (!kind) fail(L"unknown control statement " + describe(tok()));
        advance();
        item.className = kind->className;
        // A combo box takes its default kind (simple) only when the style names none.
        const bool combo = upper(item.className) == L"COMBOBOX";
        const DWORD base =
            kControlBase | (combo ? kind->defaultStyle & ~kComboTypeMask : kind->defaultStyle);
        item.style = base;
        if (kind->hasText) {
            controlText(item);
            expectComma();
        }
        item.id = number();
        expectComma();
        rectangle(item);
        trailing(item, extended, base);
        if (combo && !(item.style & kComboTypeMask)) item.style |= CBS_SIMPLE;
        return item;
    }

    DialogItemTemplate genericControl(DialogItemTemplate& item, bool extended) {
        advance();
        controlText(item);
        expectComma();
        item.id = number();
        expectComma();
        item.className = className();
        expectComma();
        item.style = style(kControlBase);
        expectComma();
        rectangle(item);
        if (optionalComma()) item.exStyle = style(0);
        if (optionalComma()) number();
        if (extended && isBegin()) skipBlock();
        const DWORD type = item.style & SS_TYPEMASK;
        if (upper(item.className) != L"STATIC" || (type != SS_ICON && type != SS_BITMAP)) {
            if (item.imageId != 0) item.text.clear();
            item.imageId = 0;
        }
        return item;
    }

    std::wstring className() {
        if (tok().kind == TokenKind::String) return string();
        if (tok().kind != TokenKind::Identifier) fail(L"expected a class name");
        const std::wstring word = upper(tok().text);
        for (const wchar_t* c : kPredefinedClasses) {
            if (word == c) {
                advance();
                return c;
            }
        }
        const std::wstring name = string(); // a #defined class name
        return name;
    }

    DialogItemTemplate iconControl(DialogItemTemplate& item, bool extended) {
        advance();
        item.className = L"STATIC";
        const DWORD base = kControlBase | SS_ICON;
        item.style = base;
        controlText(item);
        expectComma();
        item.id = number();
        expectComma();
        item.x = number();
        expectComma();
        item.y = number();
        if (optionalComma()) {
            item.cx = number();
            expectComma();
            item.cy = number();
            trailing(item, extended, base);
        }
        return item;
    }

    // ---- Menus ---------------------------------------------------------------------------------
    void menu(const Token& nameToken, bool extended) {
        MenuTemplate m;
        resourceName(nameToken, m.id, m.name);
        m.extended = extended;
        skipLoadOptions();
        expectBegin();
        menuItems(m.items, extended, 0);
        out_.menus.push_back(std::move(m));
    }

    void menuItems(std::vector<MenuTemplateItem>& items, bool extended, int depth) {
        if (depth > kMaxMenuDepth) fail(L"menus nested too deeply");
        while (!isEndOfBlock()) {
            if (atEnd()) fail(L"menu without END");
            if (isWord(L"MENUITEM")) {
                advance();
                items.push_back(extended ? menuItemEx() : menuItem());
            } else if (isWord(L"POPUP")) {
                advance();
                items.push_back(popup(extended, depth));
            } else {
                fail(L"expected MENUITEM or POPUP but found " + describe(tok()));
            }
        }
        advance();
    }

    UINT menuFlags() {
        static const std::pair<const wchar_t*, UINT> kFlags[] = {
            {L"CHECKED", MF_CHECKED},     {L"GRAYED", MF_GRAYED},
            {L"INACTIVE", MF_DISABLED},   {L"MENUBARBREAK", MF_MENUBARBREAK},
            {L"MENUBREAK", MF_MENUBREAK}, {L"HELP", MF_RIGHTJUSTIFY}};
        UINT flags = 0;
        for (;;) {
            optionalComma();
            bool found = false;
            for (auto [word, flag] : kFlags) {
                if (isWord(word)) {
                    flags |= flag;
                    found = true;
                    advance();
                }
            }
            if (!found) return flags;
        }
    }

    MenuTemplateItem menuItem() {
        MenuTemplateItem item;
        if (isWord(L"SEPARATOR")) {
            advance();
            item.flags = MF_SEPARATOR;
            return item;
        }
        item.text = string();
        expectComma();
        item.id = static_cast<UINT>(number()) & 0xFFFF;
        item.flags = menuFlags();
        return item;
    }

    MenuTemplateItem menuItemEx() {
        MenuTemplateItem item;
        if (isWord(L"SEPARATOR")) {
            advance();
            item.flags = MF_SEPARATOR;
            return item;
        }
        item.text = string();
        if (optionalComma() && !isPunct(L",")) item.id = static_cast<UINT>(number());
        if (optionalComma() && !isPunct(L",")) item.flags |= static_cast<UINT>(number());
        if (optionalComma()) item.flags |= static_cast<UINT>(number());
        if (item.text.empty() && item.id == 0) item.flags |= MF_SEPARATOR;
        return item;
    }

    MenuTemplateItem popup(bool extended, int depth) {
        MenuTemplateItem item;
        item.text = string();
        if (extended) {
            for (int field = 0; field < 4 && optionalComma(); ++field) {
                const UINT v = static_cast<UINT>(number());
                if (field == 0) item.id = v;
                if (field == 1 || field == 2) item.flags |= v;
            }
        } else {
            item.flags = menuFlags();
        }
        item.flags |= MF_POPUP;
        expectBegin();
        menuItems(item.items, extended, depth + 1);
        return item;
    }

    rc::LexResult lexed_;
    std::wstring_view file_;
    std::size_t i_ = 0;
    int defineDepth_ = 0;
    bool captionGiven_ = false;
    ResourceScript out_;
};

} // namespace

ResourceScript parseResourceScript(std::string_view bytes, std::wstring_view fileName) {
    try {
        return Parser(rc::lex(rc::decodeScript(bytes)), fileName).run();
    } catch (const std::exception&) {
        ResourceScript failed;
        failed.problems.push_back(std::wstring(fileName) + L": out of memory while parsing");
        return failed;
    }
}

} // namespace winx

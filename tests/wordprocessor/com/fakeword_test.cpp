#include "fakeword.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>
#include <wrl/client.h>

namespace {

using Microsoft::WRL::ComPtr;

// The fake records a call by parameter name whether its arguments came by place or by name, so
// that the export's tests hold whichever way the backend passes them.
VARIANT boolean(bool value) {
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_BOOL;
    argument.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return argument;
}

VARIANT omitted() {
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_ERROR;
    argument.scode = DISP_E_PARAMNOTFOUND;
    return argument;
}

struct ArgumentCase {
    const char* name;
    std::vector<VARIANT> positional; // in call order
    std::vector<std::pair<const wchar_t*, VARIANT>> named;
    HRESULT result;
    const wchar_t* recorded; // null: not recorded
};

void PrintTo(const ArgumentCase& row, std::ostream* out) {
    *out << row.name;
}

const ArgumentCase argumentCases[] = {
    {"ByPlaceAfterAnOmittedOne",
     {omitted(), boolean(false)},
     {},
     S_OK,
     L"Documents.Add(NewTemplate:=False)"},
    {"ByName", {}, {{L"NewTemplate", boolean(false)}}, S_OK, L"Documents.Add(NewTemplate:=False)"},
    {"ByPlaceAndByName",
     {boolean(true)},
     {{L"visible", boolean(false)}},
     S_OK,
     L"Documents.Add(Template:=True, Visible:=False)"},
    {"UnknownName", {}, {{L"Colour", boolean(true)}}, DISP_E_UNKNOWNNAME, nullptr},
    {"TooMany",
     {omitted(), omitted(), omitted(), omitted(), omitted()},
     {},
     DISP_E_BADPARAMCOUNT,
     nullptr},
};

class FakeWordArguments : public testing::TestWithParam<ArgumentCase> {};

DISPID memberId(IDispatch& object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(object.GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    return id;
}

TEST_P(FakeWordArguments, AreRecordedByParameterName) {
    const ArgumentCase& row = GetParam();
    fakeword::World world({});
    const ComPtr<fakeword::FakeApplication> application =
        fakeword::adopt(new fakeword::FakeApplication(world));
    VARIANT documents;
    VariantInit(&documents);
    DISPPARAMS none{};
    ASSERT_EQ(application->Invoke(memberId(*application.Get(), L"Documents"), IID_NULL, 0,
                                  DISPATCH_PROPERTYGET, &none, &documents, nullptr, nullptr),
              S_OK);

    std::vector<LPOLESTR> names{const_cast<LPOLESTR>(L"Add")};
    std::vector<VARIANT> arguments; // the named ones first, then the others last first
    for (const auto& [name, value] : row.named) {
        names.push_back(const_cast<LPOLESTR>(name));
        arguments.push_back(value);
    }
    arguments.insert(arguments.end(), row.positional.rbegin(), row.positional.rend());
    std::vector<DISPID> ids(names.size());
    HRESULT result = documents.pdispVal->GetIDsOfNames(
        IID_NULL, names.data(), static_cast<UINT>(names.size()), 0, ids.data());
    if (SUCCEEDED(result)) {
        DISPPARAMS params{arguments.data(), ids.data() + 1, static_cast<UINT>(arguments.size()),
                          static_cast<UINT>(row.named.size())};
        VARIANT added;
        VariantInit(&added);
        result = documents.pdispVal->Invoke(ids[0], IID_NULL, 0, DISPATCH_METHOD, &params, &added,
                                            nullptr, nullptr);
        VariantClear(&added);
    }
    VariantClear(&documents);

    EXPECT_EQ(result, row.result);
    std::vector<std::wstring> expected{L"Application.Documents"};
    if (row.recorded != nullptr)
        expected.emplace_back(row.recorded);
    EXPECT_EQ(world.calls(), expected);
}

INSTANTIATE_TEST_SUITE_P(Documents, FakeWordArguments, testing::ValuesIn(argumentCases));

} // namespace

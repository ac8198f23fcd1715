#pragma once

// Shared by every word-processor backend, the COM one included, which builds without Qt.
namespace wordexport {

// How a document is added: every argument left out, or only NewTemplate given, as False.
enum class AddDocumentArguments { AllOmitted, NewTemplateFalse };

} // namespace wordexport

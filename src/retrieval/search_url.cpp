#include "retrieval/search_url.h"

#include "util/tessik_glo.h"

namespace tolvane {

std::string EncodeSearchExpression(std::string expression) {
  TessikGlo::TrimAll(expression);
  // The order matters: " +" must be escaped before blanks become "+", or a
  // user's literal plus could no longer be told from a blank.
  static constexpr const char* kSteps[][2] = {
      {" +", " %2B"}, {"\"", "%22"}, {" ", "+"},
      {"(", "%28"},   {")", "%29"},  {",", "%2C"},
  };
  for (const auto& step : kSteps) {
    expression = TessikGlo::ReplaceAll(std::move(expression), step[0], step[1]);
  }
  return expression;
}

std::string SearchURL(const std::string& service, const std::string& expression,
                      int offset) {
  return service + kSearchPath + kQueryKey +
         EncodeSearchExpression(expression) + kFixedKeys +
         std::to_string(offset);
}

}  // namespace tolvane

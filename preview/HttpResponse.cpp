#include "preview/HttpResponse.h"

#include <nlohmann/json.hpp>

void HttpResponse::refuse(int refusedStatus, const std::string& message) {
    status = refusedStatus;
    nlohmann::json error{{"error", message}};
    setContent(error.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace), "application/json");
}

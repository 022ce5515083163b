# Cut off right where the frames would begin, as a broken download leaves it.
file(READ ${WORK}/data/logo.avi bytes LIMIT 65536 HEX)
string(FIND "${bytes}" "6d6f7669" movi)
math(EXPR keep "${movi} / 2 + 4")
execute_process(COMMAND truncate -s ${keep} ${WORK}/data/logo.avi COMMAND_ERROR_IS_FATAL ANY)

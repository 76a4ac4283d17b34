"""Prints the events of an iCalendar file as JSON, read with the icalendar package.

Usage: read_calendar.py FILE
Each event: uid, summary, description, start (ISO text), zone (the tzinfo's
name of a timed start, "" for a floating one), all_day.
"""
import datetime
import json
import sys

import icalendar


def zone_name(value):
    tzinfo = getattr(value, "tzinfo", None)
    if tzinfo is None:
        return ""
    return getattr(tzinfo, "zone", None) or getattr(tzinfo, "key", None) or str(tzinfo)


with open(sys.argv[1], "rb") as source:
    calendar = icalendar.Calendar.from_ical(source.read())

events = []
for event in calendar.walk("VEVENT"):
    start = event.decoded("DTSTART")
    all_day = isinstance(start, datetime.date) and not isinstance(start, datetime.datetime)
    events.append({
        "uid": str(event.get("UID")),
        "summary": str(event.get("SUMMARY", "")),
        "description": str(event.get("DESCRIPTION", "")),
        "start": start.isoformat(),
        "utc_offset": "" if all_day else start.utcoffset().total_seconds() / 3600,
        "zone": "" if all_day else zone_name(start),
        "all_day": all_day,
    })
print(json.dumps({"name": str(calendar.get("X-WR-CALNAME", "")), "events": events}))

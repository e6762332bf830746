-- The functions the PostgreSQL text of the Oracle dialect calls: Oracle's meanings where
-- PostgreSQL's own functions differ (to_date's rrrr, to_char's sign column, '' as NULL, MOD by
-- zero, LPAD of numbers) and the schema functions. Plain SQL and PL/pgSQL, no extension, so a
-- bare server takes them. Numbers are numeric; dates are 'yyyy-mm-dd[ hh:mi:ss]' text, as on
-- the embedded database. Run once on an empty database, before the schema.

-- The schema functions read tables created after them.
SET check_function_bodies = false;

CREATE FUNCTION lv_raise(message text) RETURNS numeric LANGUAGE plpgsql AS $$
BEGIN
  RAISE EXCEPTION '%', message;
END $$;

-- Oracle's number text without a model: 12, 1.5, .5, -.25.
CREATE FUNCTION ora_fixed_text(x numeric) RETURNS text LANGUAGE sql IMMUTABLE AS $$
  SELECT regexp_replace(
           CASE WHEN position('.' in x::text) > 0 THEN rtrim(rtrim(x::text, '0'), '.')
                ELSE x::text END,
           '^(-?)0\.', '\1.')
$$;
-- Past 64 characters Oracle writes the number in scientific notation: 1E+70, -2.5E-70.
CREATE FUNCTION ora_to_char(x numeric) RETURNS text LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE
  fixed text := ora_fixed_text(x);
  e integer;
  m numeric;
BEGIN
  IF x IS NULL OR length(fixed) <= 64 THEN RETURN fixed; END IF;
  e := floor(log(10, abs(x)));
  -- A negative power of ten rounds to zero at numeric's default scale: multiply instead.
  m := CASE WHEN e < 0 THEN abs(x) * power(10::numeric, -e) ELSE abs(x) / power(10::numeric, e) END;
  IF m >= 10 THEN m := m / 10; e := e + 1; ELSIF m < 1 THEN m := m * 10; e := e - 1; END IF;
  RETURN CASE WHEN x < 0 THEN '-' ELSE '' END || ora_fixed_text(round(m, 14)) || 'E'
         || CASE WHEN e < 0 THEN '-' ELSE '+' END || lpad(abs(e)::text, 2, '0');
END
$$;
CREATE FUNCTION ora_to_char(x double precision) RETURNS text LANGUAGE sql IMMUTABLE AS $$
  SELECT ora_to_char(x::numeric)
$$;
CREATE FUNCTION ora_to_char(x text) RETURNS text LANGUAGE sql IMMUTABLE AS $$
  SELECT nullif(x, '')
$$;

-- Text read as an Oracle number: blanks around it allowed, nothing else. NULL when it is none.
CREATE FUNCTION ora_as_number(x text) RETURNS numeric LANGUAGE sql IMMUTABLE AS $$
  SELECT CASE WHEN x ~ '^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$' THEN trim(x)::numeric END
$$;
CREATE FUNCTION ora_as_number(x numeric) RETURNS numeric LANGUAGE sql IMMUTABLE AS $$
  SELECT x
$$;

CREATE FUNCTION ora_to_number(x text) RETURNS numeric LANGUAGE sql IMMUTABLE AS $$
  SELECT CASE WHEN nullif(x, '') IS NULL THEN NULL
              ELSE coalesce(ora_as_number(x), lv_raise('ORA-01722: invalid number')) END
$$;
CREATE FUNCTION ora_to_number(x numeric) RETURNS numeric LANGUAGE sql IMMUTABLE AS $$
  SELECT x
$$;

-- A date model as items: YYYY RRRR YY RR MM DD HH24 HH12 MI SS FFn, or '"' and a literal.
CREATE FUNCTION lv_date_model(model text) RETURNS text[] LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE
  items text[] := '{}';
  i int := 1;
  n int := length(model);
  c text;
  word text;
  found boolean;
  close int;
BEGIN
  WHILE i <= n LOOP
    c := substr(model, i, 1);
    IF c = '"' THEN
      close := position('"' in substr(model, i + 1));
      IF close = 0 THEN RAISE EXCEPTION 'ORA-01821: date format not recognized'; END IF;
      items := items || ('"' || substr(model, i + 1, close - 1));
      i := i + close + 1;
      CONTINUE;
    END IF;
    IF c !~ '^[[:alnum:]]$' THEN
      items := items || ('"' || c);
      i := i + 1;
      CONTINUE;
    END IF;
    found := false;
    FOREACH word IN ARRAY ARRAY['YYYY','RRRR','YY','RR','MM','DD','HH24','HH12','HH','MI','SS','FF'] LOOP
      IF upper(substr(model, i, length(word))) = word THEN
        i := i + length(word);
        IF word = 'HH' THEN word := 'HH12'; END IF;
        IF word = 'FF' THEN
          IF substr(model, i, 1) ~ '^[1-9]$' THEN
            word := 'FF' || substr(model, i, 1);
            i := i + 1;
          ELSE
            word := 'FF6';
          END IF;
        END IF;
        items := items || word;
        found := true;
        EXIT;
      END IF;
    END LOOP;
    IF NOT found THEN RAISE EXCEPTION 'ORA-01821: date format not recognized'; END IF;
  END LOOP;
  RETURN items;
END $$;

CREATE FUNCTION lv_check_date(y int, m int, d int, hh int, mi int, ss int) RETURNS void
LANGUAGE plpgsql IMMUTABLE AS $$
BEGIN
  IF y < 1 OR y > 9999 THEN
    RAISE EXCEPTION 'ORA-01841: (full) year must be between -4713 and +9999, and not be 0';
  END IF;
  IF m < 1 OR m > 12 THEN RAISE EXCEPTION 'ORA-01843: not a valid month'; END IF;
  IF d < 1 OR d > extract(day from make_date(y, m, 1) + interval '1 month' - interval '1 day') THEN
    RAISE EXCEPTION 'ORA-01847: day of month must be between 1 and last day of month';
  END IF;
  IF hh > 23 THEN RAISE EXCEPTION 'ORA-01850: hour must be between 0 and 23'; END IF;
  IF mi > 59 THEN RAISE EXCEPTION 'ORA-01851: minutes must be between 0 and 59'; END IF;
  IF ss > 59 THEN RAISE EXCEPTION 'ORA-01852: seconds must be between 0 and 59'; END IF;
END $$;

-- To_Date: Oracle's parse (a one-digit month, rr years, any punctuation for punctuation) to
-- the stored text form.
CREATE FUNCTION lv_parse_date(x text, model text) RETURNS text LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE
  item text;
  at int := 1;
  n int := length(x);
  digits text;
  widest int;
  v int;
  y int := 0; m int := 1; d int := 1; hh int := 0; mi int := 0; ss int := 0;
  year_set boolean := false;
  has_time boolean := false;
BEGIN
  IF nullif(x, '') IS NULL OR nullif(model, '') IS NULL THEN RETURN NULL; END IF;
  FOREACH item IN ARRAY lv_date_model(model) LOOP
    IF left(item, 1) = '"' THEN
      IF at <= n AND substr(x, at, 1) !~ '^[[:alnum:]]$' THEN
        at := at + 1;
      ELSIF item <> '" ' AND at <= n THEN
        RAISE EXCEPTION 'ORA-01861: literal does not match format string';
      END IF;
      CONTINUE;
    END IF;
    WHILE at <= n AND substr(x, at, 1) = ' ' LOOP at := at + 1; END LOOP;
    IF left(item, 2) = 'FF' THEN
      digits := substring(substr(x, at) from '^\d*');
      at := at + length(digits);
      CONTINUE;
    END IF;
    widest := CASE WHEN item IN ('YYYY', 'RRRR') THEN 4 ELSE 2 END;
    digits := substring(substr(x, at) from '^\d{1,' || widest || '}');
    IF digits IS NULL THEN
      IF at > n THEN RAISE EXCEPTION 'ORA-01840: input value not long enough for date format'; END IF;
      RAISE EXCEPTION 'ORA-01858: a non-numeric character was found where a numeric was expected';
    END IF;
    at := at + length(digits);
    v := digits::int;
    CASE item
      WHEN 'YYYY' THEN y := v; year_set := true;
      WHEN 'RRRR', 'RR' THEN
        y := CASE WHEN length(digits) <= 2 THEN v + CASE WHEN v < 50 THEN 2000 ELSE 1900 END ELSE v END;
        year_set := true;
      WHEN 'YY' THEN y := v + 2000; year_set := true;
      WHEN 'MM' THEN m := v;
      WHEN 'DD' THEN d := v;
      WHEN 'HH24', 'HH12' THEN hh := v; has_time := true;
      WHEN 'MI' THEN mi := v; has_time := true;
      WHEN 'SS' THEN ss := v; has_time := true;
    END CASE;
  END LOOP;
  WHILE at <= n AND substr(x, at, 1) = ' ' LOOP at := at + 1; END LOOP;
  IF at <= n THEN
    RAISE EXCEPTION 'ORA-01830: date format picture ends before converting entire input string';
  END IF;
  IF NOT year_set THEN RAISE EXCEPTION 'ORA-01841: year missing from the date format'; END IF;
  PERFORM lv_check_date(y, m, d, hh, mi, ss);
  RETURN lpad(y::text, 4, '0') || '-' || lpad(m::text, 2, '0') || '-' || lpad(d::text, 2, '0') ||
         CASE WHEN has_time THEN ' ' || lpad(hh::text, 2, '0') || ':' || lpad(mi::text, 2, '0') ||
                                 ':' || lpad(ss::text, 2, '0') ELSE '' END;
END $$;
-- A stored date that surely exists comes back as it is, without the interpreter: lists sort by
-- To_Date(strDate,'YYYY-MM-DD') on every row. Plain SQL, so the planner inlines it.
CREATE FUNCTION ora_to_date(x text, model text) RETURNS text LANGUAGE sql IMMUTABLE AS $$
  SELECT CASE WHEN x ~ '^[0-9]{4}-(0[1-9]|1[0-2])-(0[1-9]|1[0-9]|2[0-8])$' AND x >= '0001'
                   AND upper(model) IN ('YYYY-MM-DD', 'RRRR-MM-DD') THEN x
              ELSE lv_parse_date(x, model) END
$$;
CREATE FUNCTION ora_to_date(x text) RETURNS text LANGUAGE sql IMMUTABLE AS $$
  SELECT ora_to_date(x, CASE WHEN length(x) <= 10 THEN 'YYYY-MM-DD' ELSE 'YYYY-MM-DD HH24:MI:SS' END)
$$;

CREATE FUNCTION lv_is_date_model(model text) RETURNS boolean LANGUAGE sql IMMUTABLE AS $$
  SELECT upper(regexp_replace(model, '^[Ff][Mm]', '')) !~ '^[90,.GD]*$'
         OR upper(regexp_replace(model, '^[Ff][Mm]', '')) !~ '[90]'
$$;

-- to_char(stored date, model).
CREATE FUNCTION lv_format_date(x text, model text) RETURNS text LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE
  parts text[];
  item text;
  out text := '';
  y int; m int; d int; hh int := 0; mi int := 0; ss int := 0;
  fraction text := '';
BEGIN
  parts := regexp_match(x, '^(\d{4})-(\d{2})-(\d{2})(?:[ T](\d{2}):(\d{2})(?::(\d{2}))?(?:\.(\d*))?)? *$');
  IF parts IS NULL THEN RAISE EXCEPTION 'ORA-01861: literal does not match format string'; END IF;
  y := parts[1]::int; m := parts[2]::int; d := parts[3]::int;
  hh := coalesce(parts[4]::int, 0); mi := coalesce(parts[5]::int, 0);
  ss := coalesce(parts[6]::int, 0); fraction := coalesce(parts[7], '');
  PERFORM lv_check_date(y, m, d, hh, mi, ss);
  FOREACH item IN ARRAY lv_date_model(model) LOOP
    out := out || CASE
      WHEN left(item, 1) = '"' THEN substr(item, 2)
      WHEN item IN ('YYYY', 'RRRR') THEN lpad(y::text, 4, '0')
      WHEN item IN ('YY', 'RR') THEN lpad((y % 100)::text, 2, '0')
      WHEN item = 'MM' THEN lpad(m::text, 2, '0')
      WHEN item = 'DD' THEN lpad(d::text, 2, '0')
      WHEN item = 'HH24' THEN lpad(hh::text, 2, '0')
      WHEN item = 'HH12' THEN lpad((CASE WHEN hh % 12 = 0 THEN 12 ELSE hh % 12 END)::text, 2, '0')
      WHEN item = 'MI' THEN lpad(mi::text, 2, '0')
      WHEN item = 'SS' THEN lpad(ss::text, 2, '0')
      ELSE rpad(left(fraction, substr(item, 3)::int), substr(item, 3)::int, '0')
    END;
  END LOOP;
  RETURN out;
END $$;

-- to_char(number, model): 9 0 , . G D and FM; without FM a sign column leads, as in Oracle
-- (to_char(42,'000000') is ' 000042', PostgreSQL's own gives the same only by chance of its
-- blank, and differs on FM, G and overflow).
CREATE FUNCTION ora_to_char(x numeric, model text) RETURNS text LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE
  fm boolean := upper(left(model, 2)) = 'FM';
  body text := CASE WHEN upper(left(model, 2)) = 'FM' THEN substr(model, 3) ELSE model END;
  int_model text := '';
  frac_model text := '';
  in_fraction boolean := false;
  c text;
  r numeric;
  int_digits text;
  frac_digits text;
  slots int;
  first_zero int;
  printed text := '';
  digit int := 0;
  k int;
  sign text;
  result text;
  width int;
BEGIN
  IF x IS NULL OR nullif(model, '') IS NULL THEN RETURN NULL; END IF;
  IF lv_is_date_model(model) THEN RAISE EXCEPTION 'ORA-01481: invalid number format model'; END IF;
  FOR i IN 1 .. length(body) LOOP
    c := upper(substr(body, i, 1));
    IF c IN ('.', 'D') THEN
      IF in_fraction THEN RAISE EXCEPTION 'ORA-01481: invalid number format model'; END IF;
      in_fraction := true;
    ELSIF in_fraction THEN
      IF c IN (',', 'G') THEN RAISE EXCEPTION 'ORA-01481: invalid number format model'; END IF;
      frac_model := frac_model || c;
    ELSE
      int_model := int_model || CASE WHEN c = 'G' THEN ',' ELSE c END;
    END IF;
  END LOOP;
  width := length(body) + 1;
  r := round(abs(x), length(frac_model));
  int_digits := ltrim(trunc(r)::text, '0');
  frac_digits := CASE WHEN length(frac_model) = 0 THEN ''
                      ELSE substr(to_char(r - trunc(r), 'FM0.' || repeat('0', length(frac_model))), 3) END;
  slots := length(replace(int_model, ',', ''));
  IF length(int_digits) > slots THEN RETURN repeat('#', width); END IF;
  first_zero := position('0' in int_model);
  k := length(int_model);
  WHILE k >= 1 LOOP
    c := substr(int_model, k, 1);
    IF c = ',' THEN
      IF digit < length(int_digits) OR (first_zero > 0 AND first_zero < k) THEN
        printed := ',' || printed;
      END IF;
    ELSE
      IF digit < length(int_digits) THEN
        printed := substr(int_digits, length(int_digits) - digit, 1) || printed;
      ELSIF first_zero > 0 AND k >= first_zero THEN
        printed := '0' || printed;
      END IF;
      digit := digit + 1;
    END IF;
    k := k - 1;
  END LOOP;
  IF printed = '' AND NOT in_fraction THEN printed := '0'; END IF;
  IF in_fraction THEN
    IF fm THEN
      WHILE frac_digits <> '' AND right(frac_digits, 1) = '0'
            AND substr(frac_model, length(frac_digits), 1) = '9' LOOP
        frac_digits := left(frac_digits, -1);
      END LOOP;
    END IF;
    printed := printed || '.' || frac_digits;
  END IF;
  sign := CASE WHEN x < 0 AND (int_digits <> '' OR frac_digits ~ '[1-9]') THEN '-'
               WHEN fm THEN '' ELSE ' ' END;
  IF fm THEN RETURN sign || printed; END IF;
  result := sign || printed;
  RETURN lpad(result, greatest(width, length(result)), ' ');
END $$;
CREATE FUNCTION ora_to_char(x double precision, model text) RETURNS text LANGUAGE sql IMMUTABLE AS $$
  SELECT ora_to_char(x::numeric, model)
$$;
CREATE FUNCTION ora_to_char(x text, model text) RETURNS text LANGUAGE sql IMMUTABLE AS $$
  SELECT CASE WHEN nullif(x, '') IS NULL OR nullif(model, '') IS NULL THEN NULL
              WHEN lv_is_date_model(model) THEN lv_format_date(x, model)
              ELSE ora_to_char(ora_to_number(x), model) END
$$;

CREATE FUNCTION ora_trunc(x numeric, digits numeric DEFAULT 0) RETURNS numeric
LANGUAGE sql IMMUTABLE AS $$
  SELECT trunc(x, trunc(digits)::int)
$$;
-- A stored date cut to the day, month or year; other text is read as a number.
CREATE FUNCTION ora_trunc(x text, model text DEFAULT 'DD') RETURNS text LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE
  day text;
BEGIN
  IF nullif(x, '') IS NULL OR nullif(model, '') IS NULL THEN RETURN NULL; END IF;
  IF x !~ '^\d{4}-\d{2}-\d{2}' THEN
    RETURN ora_to_char(ora_trunc(ora_to_number(x), ora_to_number(model)));
  END IF;
  day := ora_to_date(left(x, 10), 'YYYY-MM-DD');
  IF upper(model) IN ('MM', 'MON', 'MONTH') THEN RETURN left(day, 8) || '01'; END IF;
  IF upper(model) IN ('YYYY', 'YEAR', 'YY', 'Y', 'RRRR', 'RR') THEN RETURN left(day, 5) || '01-01'; END IF;
  IF upper(model) NOT IN ('DD', 'DDD', 'J') THEN
    RAISE EXCEPTION 'ORA-01898: too many precision specifiers';
  END IF;
  RETURN day;
END $$;

CREATE FUNCTION ora_round(x numeric, digits numeric DEFAULT 0) RETURNS numeric
LANGUAGE sql IMMUTABLE AS $$
  SELECT round(x, trunc(digits)::int)
$$;
CREATE FUNCTION ora_round(x text, digits numeric DEFAULT 0) RETURNS numeric
LANGUAGE sql IMMUTABLE AS $$
  SELECT ora_round(ora_to_number(x), digits)
$$;

-- Oracle pads in characters, cuts a longer text, and a width below 1 or an empty result is NULL.
CREATE FUNCTION ora_lpad(x text, width numeric, pad text DEFAULT ' ') RETURNS text
LANGUAGE sql IMMUTABLE AS $$
  SELECT CASE WHEN width < 1 THEN NULL ELSE nullif(lpad(x, trunc(width)::int, nullif(pad, '')), '') END
$$;
CREATE FUNCTION ora_lpad(x numeric, width numeric, pad text DEFAULT ' ') RETURNS text
LANGUAGE sql IMMUTABLE AS $$
  SELECT ora_lpad(ora_to_char(x), width, pad)
$$;
CREATE FUNCTION ora_rpad(x text, width numeric, pad text DEFAULT ' ') RETURNS text
LANGUAGE sql IMMUTABLE AS $$
  SELECT CASE WHEN width < 1 THEN NULL ELSE nullif(rpad(x, trunc(width)::int, nullif(pad, '')), '') END
$$;
CREATE FUNCTION ora_rpad(x numeric, width numeric, pad text DEFAULT ' ') RETURNS text
LANGUAGE sql IMMUTABLE AS $$
  SELECT ora_rpad(ora_to_char(x), width, pad)
$$;

-- A start of 0 reads as 1, a negative one counts from the end.
CREATE FUNCTION ora_substr(x text, start numeric, count numeric DEFAULT NULL) RETURNS text
LANGUAGE sql IMMUTABLE AS $$
  SELECT CASE
    WHEN nullif(x, '') IS NULL OR start IS NULL THEN NULL
    WHEN count IS NOT NULL AND count < 1 THEN NULL
    ELSE (SELECT CASE WHEN s < 1 OR s > length(x) THEN NULL
                      ELSE nullif(substr(x, s, coalesce(trunc(count)::int, length(x))), '') END
          FROM (SELECT CASE WHEN trunc(start) = 0 THEN 1
                            WHEN start < 0 THEN length(x) + trunc(start)::int + 1
                            ELSE trunc(start)::int END AS s) f)
  END
$$;
CREATE FUNCTION ora_substr(x numeric, start numeric, count numeric DEFAULT NULL) RETURNS text
LANGUAGE sql IMMUTABLE AS $$
  SELECT ora_substr(ora_to_char(x), start, count)
$$;

CREATE FUNCTION ora_instr(x text, part text, start numeric DEFAULT 1, occurrence numeric DEFAULT 1)
RETURNS numeric LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE
  p int := trunc(start)::int;
  o int := trunc(occurrence)::int;
  n int := length(x);
  at int;
  seen int := 0;
BEGIN
  IF nullif(x, '') IS NULL OR nullif(part, '') IS NULL OR p IS NULL OR o IS NULL THEN RETURN NULL; END IF;
  IF o < 1 THEN RAISE EXCEPTION 'ORA-01428: argument is out of range'; END IF;
  IF p = 0 THEN RETURN 0; END IF;
  IF p > 0 THEN
    at := p;
    WHILE at <= n LOOP
      IF substr(x, at, length(part)) = part THEN
        seen := seen + 1;
        IF seen = o THEN RETURN at; END IF;
      END IF;
      at := at + 1;
    END LOOP;
    RETURN 0;
  END IF;
  at := n + p + 1;
  WHILE at >= 1 LOOP
    IF substr(x, at, length(part)) = part THEN
      seen := seen + 1;
      IF seen = o THEN RETURN at; END IF;
    END IF;
    at := at - 1;
  END LOOP;
  RETURN 0;
END $$;

-- Bytes in a GBK database: a character outside ASCII takes two.
CREATE FUNCTION ora_lengthb(x text) RETURNS numeric LANGUAGE sql IMMUTABLE AS $$
  SELECT nullif(length(x) + length(regexp_replace(x, '[\x01-\x7f]', '', 'g')), 0)
$$;
CREATE FUNCTION ora_lengthb(x numeric) RETURNS numeric LANGUAGE sql IMMUTABLE AS $$
  SELECT ora_lengthb(ora_to_char(x))
$$;
CREATE FUNCTION ora_length(x text) RETURNS numeric LANGUAGE sql IMMUTABLE AS $$
  SELECT length(nullif(x, ''))
$$;
CREATE FUNCTION ora_length(x numeric) RETURNS numeric LANGUAGE sql IMMUTABLE AS $$
  SELECT length(ora_to_char(x))
$$;

-- REPLACE with a NULL search keeps the text; a NULL replacement removes the search.
CREATE FUNCTION ora_replace(x text, search text, replacement text DEFAULT NULL) RETURNS text
LANGUAGE sql IMMUTABLE AS $$
  SELECT CASE WHEN nullif(search, '') IS NULL THEN nullif(x, '')
              ELSE nullif(replace(x, search, coalesce(replacement, '')), '') END
$$;

-- MOD(a, 0) is a.
CREATE FUNCTION ora_mod(a numeric, b numeric) RETURNS numeric LANGUAGE sql IMMUTABLE AS $$
  SELECT CASE WHEN b = 0 THEN a ELSE mod(a, b) END
$$;
CREATE FUNCTION ora_div(a numeric, b numeric) RETURNS numeric LANGUAGE sql IMMUTABLE AS $$
  SELECT CASE WHEN b = 0 THEN lv_raise('ORA-01476: divisor is equal to zero') ELSE a / b END
$$;
CREATE FUNCTION ora_ceil(x numeric) RETURNS numeric LANGUAGE sql IMMUTABLE AS $$
  SELECT ceil(x)
$$;
CREATE FUNCTION ora_floor(x numeric) RETURNS numeric LANGUAGE sql IMMUTABLE AS $$
  SELECT floor(x)
$$;

-- GREATEST and LEAST are NULL when any argument is; PostgreSQL's skip NULLs.
CREATE FUNCTION ora_greatest(VARIADIC xs anycompatiblearray) RETURNS anycompatible
LANGUAGE sql IMMUTABLE AS $$
  SELECT CASE WHEN array_position(xs, NULL) IS NULL THEN (SELECT max(x) FROM unnest(xs) x) END
$$;
CREATE FUNCTION ora_least(VARIADIC xs anycompatiblearray) RETURNS anycompatible
LANGUAGE sql IMMUTABLE AS $$
  SELECT CASE WHEN array_position(xs, NULL) IS NULL THEN (SELECT min(x) FROM unnest(xs) x) END
$$;

-- DROP INDEX of the dialect: a unique index is a deferrable constraint here.
CREATE FUNCTION lv_drop_index(name text) RETURNS void LANGUAGE plpgsql AS $$
DECLARE
  owner text;
BEGIN
  SELECT conrelid::regclass::text INTO owner FROM pg_constraint
   WHERE conname = lower(name) AND connamespace = current_schema()::regnamespace;
  IF owner IS NOT NULL THEN
    EXECUTE format('ALTER TABLE %s DROP CONSTRAINT %I', owner, lower(name));
  ELSE
    EXECUTE format('DROP INDEX %I', lower(name));
  END IF;
END $$;

-- The display text of a flexible id: item then field value, codes or (mode 1) names, joined by
-- "/"; a part whose id is 0 or whose row is missing is left out; a blank or unknown id is NULL.
CREATE FUNCTION flexid2codeorname(id text, mode numeric, account numeric, last numeric)
RETURNS text LANGUAGE sql STABLE AS $$
  SELECT CASE WHEN trim(id) = '' THEN NULL ELSE nullif(concat_ws('/',
    (SELECT string_agg(t, '/') FROM (
       SELECT DISTINCT ON (fc.lngitemid) CASE WHEN mode = 1 THEN i.stritemname ELSE i.stritemcode END AS t
         FROM flexiblecheck fc JOIN item i ON fc.lngitemid <> 0 AND i.lngitemid = fc.lngitemid
        WHERE fc.strflexibleid = id) items),
    (SELECT string_agg(CASE WHEN mode = 1 THEN f.strfieldname ELSE f.strfieldcode END, '/')
       FROM flexiblecheck fc JOIN flexiblefielddetail f ON fc.lngfieldid <> 0 AND f.lngfieldid = fc.lngfieldid
      WHERE fc.strflexibleid = id)), '') END
$$;

-- 1 when the line's flexible id falls under the wanted one: a wanted item must be the line's,
-- a wanted field value the line's or a parent of it (code followed by "-"); 0 parts and a blank
-- wanted id do not restrict.
CREATE FUNCTION containflexibleid(line text, wanted text) RETURNS numeric
LANGUAGE sql STABLE AS $$
  SELECT CASE
    WHEN nullif(trim(wanted), '') IS NULL THEN 1
    WHEN nullif(trim(line), '') IS NULL THEN 0
    WHEN line = wanted THEN 1
    ELSE coalesce((
      SELECT CASE WHEN (w.lngitemid = 0 OR w.lngitemid = h.lngitemid)
                   AND (w.lngfieldid = 0 OR w.lngfieldid = h.lngfieldid
                        OR (wf.strfieldcode <> '' AND left(hf.strfieldcode, length(wf.strfieldcode) + 1)
                            = wf.strfieldcode || '-')) THEN 1 ELSE 0 END
        FROM (SELECT * FROM flexiblecheck WHERE strflexibleid = wanted LIMIT 1) w
        LEFT JOIN flexiblefielddetail wf ON wf.lngfieldid = w.lngfieldid
        CROSS JOIN (SELECT * FROM flexiblecheck WHERE strflexibleid = line LIMIT 1) h
        LEFT JOIN flexiblefielddetail hf ON hf.lngfieldid = h.lngfieldid), 0)
  END
$$;

-- Oracle names unquoted tables in upper case; the component asks for them that way.
CREATE VIEW user_all_tables AS
  SELECT upper(table_name::text) AS table_name FROM information_schema.tables
   WHERE table_schema = current_schema() AND table_type = 'BASE TABLE';
